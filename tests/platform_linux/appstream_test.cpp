#include "platform/linux/appstream.h"

#include <gtest/gtest.h>

#include "platform_linux/identity_test_support.h"

namespace halvane {
namespace {

struct DeveloperCase {
  const char* what;
  const char* xml;
  const char* developer;
};

class AppStreamDeveloperTest : public ::testing::TestWithParam<DeveloperCase> {};

TEST_P(AppStreamDeveloperTest, FindsUntranslatedDeveloper) {
  EXPECT_EQ(AppStreamDeveloperName(GetParam().xml), GetParam().developer) << GetParam().what;
}

INSTANTIATE_TEST_SUITE_P(
    Documents, AppStreamDeveloperTest,
    ::testing::Values(
        DeveloperCase{"developer_name",
                      "<component><developer_name>GNOME Project</developer_name></component>",
                      "GNOME Project"},
        DeveloperCase{"translations are skipped",
                      "<component><developer_name xml:lang=\"de\">GNOME-Projekt</developer_name>"
                      "<developer_name>GNOME Project</developer_name></component>",
                      "GNOME Project"},
        DeveloperCase{"developer/name goes before developer_name",
                      "<component><developer_name>Old</developer_name>"
                      "<developer id=\"org.kde\"><name>KDE</name></developer></component>",
                      "KDE"},
        DeveloperCase{"the component's own name is not the developer",
                      "<component><name>App</name><developer_name>Dev</developer_name></component>",
                      "Dev"},
        DeveloperCase{
            "entities and white space",
            "<developer_name>\n  Tom &amp; Jerry&#x2019;s\n  Tools &#169; </developer_name>",
            "Tom & Jerry\xE2\x80\x99s Tools \xC2\xA9"},
        DeveloperCase{"unknown entity kept", "<developer_name>A &nbsp; B</developer_name>",
                      "A &nbsp; B"},
        DeveloperCase{"commented out", "<!-- <developer_name>Ghost</developer_name> -->", ""},
        DeveloperCase{"empty developer", "<developer/><developer_name/>", ""},
        DeveloperCase{"unclosed tag", "<component><developer_name", ""},
        DeveloperCase{"not XML", "\x89PNG\r\n\x1a\n", ""}));

TEST(AppStreamRecorded, ReadsMetainfoFiles) {
  using identity_test::IdentityDataFile;
  using identity_test::ReadWholeFile;
  EXPECT_EQ(AppStreamDeveloperName(ReadWholeFile(
                IdentityDataFile("metainfo/de.urwpp.URWCoreFontSetLevel2.metainfo.xml"))),
            "URW++ Design and Development GmbH");
  EXPECT_EQ(AppStreamDeveloperName(
                ReadWholeFile(IdentityDataFile("metainfo/org.example.netmeter.metainfo.xml"))),
            "Example Tools Ltd & Co.");
}

}  // namespace
}  // namespace halvane
