#include "platform/linux/dpkg_status.h"

#include <gtest/gtest.h>

#include "platform/linux/deb822.h"
#include "platform_linux/identity_test_support.h"

namespace halvane {
namespace {

TEST(ParseDeb822, JoinsContinuationLinesAndSeparatesParagraphs) {
  const std::vector<Deb822Paragraph> paragraphs = ParseDeb822(
      "# a comment\n"
      "Package: hello\n"
      "Description: greeting program\n"
      " The GNU hello program.\n"
      " .\n"
      " More text.\n"
      "not a field line\n"
      "\n"
      "  \n"
      "package: second\r\n"
      "Empty:\n");
  ASSERT_EQ(paragraphs.size(), 2u);
  EXPECT_EQ(paragraphs[0].Field("Package"), "hello");
  EXPECT_EQ(paragraphs[0].Field("description"),
            "greeting program\nThe GNU hello program.\n\nMore text.");
  EXPECT_EQ(paragraphs[1].Field("Package"), "second");
  EXPECT_TRUE(paragraphs[1].Has("Empty"));
  EXPECT_FALSE(paragraphs[1].Has("Description"));
  EXPECT_EQ(paragraphs[1].Field("Description"), "");
}

TEST(ParseDeb822, ContinuationWithoutAFieldIsDropped) {
  const std::vector<Deb822Paragraph> paragraphs = ParseDeb822(" stray\n\tline\n:\n");
  EXPECT_TRUE(paragraphs.empty());
}

TEST(ParseDpkgStatus, KeepsInstalledPackagesWithTheirSummary) {
  const std::vector<DpkgPackage> packages =
      ParseDpkgStatus(identity_test::ReadWholeFile(identity_test::IdentityDataFile("dpkg/status")));
  std::vector<std::string> names;
  for (const DpkgPackage& package : packages) {
    names.push_back(package.name + ":" + package.architecture);
  }
  EXPECT_EQ(names,
            (std::vector<std::string>{"bash:amd64", "libc6:amd64", "vim:amd64", "python3.11:amd64",
                                      "fonts-urw-base35:all", "netmeter:amd64", "hello:amd64"}));
  ASSERT_GE(packages.size(), 6u);
  EXPECT_EQ(packages[0].summary, "GNU Bourne Again SHell");
  EXPECT_EQ(packages[0].maintainer, "Matthias Klose <doko@debian.org>");
  EXPECT_EQ(packages[5].summary, "network traffic meter");
}

struct StatusCase {
  const char* status;
  bool installed;
};

class DpkgStatesTest : public ::testing::TestWithParam<StatusCase> {};

TEST_P(DpkgStatesTest, OnlyStatesWithFilesInPlaceCount) {
  const std::string stanza = std::string("Package: p\nStatus: ") + GetParam().status + "\n";
  EXPECT_EQ(ParseDpkgStatus(stanza).size(), GetParam().installed ? 1u : 0u) << GetParam().status;
}

INSTANTIATE_TEST_SUITE_P(States, DpkgStatesTest,
                         ::testing::Values(StatusCase{"install ok installed", true},
                                           StatusCase{"hold ok installed", true},
                                           StatusCase{"install ok triggers-pending", true},
                                           StatusCase{"install ok triggers-awaited", true},
                                           StatusCase{"deinstall ok config-files", false},
                                           StatusCase{"install reinstreq half-installed", false},
                                           StatusCase{"install ok unpacked", false},
                                           StatusCase{"purge ok not-installed", false},
                                           StatusCase{"", false}));

TEST(SplitDpkgListName, SeparatesTheArchitecture) {
  EXPECT_EQ(SplitDpkgListName("libc6:amd64").name, "libc6");
  EXPECT_EQ(SplitDpkgListName("libc6:amd64").architecture, "amd64");
  EXPECT_EQ(SplitDpkgListName("bash").name, "bash");
  EXPECT_EQ(SplitDpkgListName("bash").architecture, "");
}

TEST(NameWithoutAddress, DropsTheAddress) {
  EXPECT_EQ(NameWithoutAddress("Matthias Klose <doko@debian.org>"), "Matthias Klose");
  EXPECT_EQ(NameWithoutAddress("Debian Python Team <team+python@tracker.debian.org>"),
            "Debian Python Team");
  EXPECT_EQ(NameWithoutAddress("Jo Doe <jo@example.org> (retired)"), "Jo Doe (retired)");
  EXPECT_EQ(NameWithoutAddress("Jo Doe <unclosed"), "Jo Doe");
  EXPECT_EQ(NameWithoutAddress("  Plain Name "), "Plain Name");
  EXPECT_EQ(NameWithoutAddress("<only@address>"), "");
}

}  // namespace
}  // namespace halvane
