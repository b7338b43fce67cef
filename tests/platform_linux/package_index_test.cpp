#include "platform/linux/package_index.h"

#include <gtest/gtest.h>

#include "platform_linux/identity_test_support.h"

namespace halvane {
namespace {

using identity_test::FakeRoot;

constexpr const char* kTwoArchitectures =
    "Package: libc6\nStatus: install ok installed\nArchitecture: amd64\nMulti-Arch: same\n"
    "Maintainer: GNU Libc Maintainers <debian-glibc@lists.debian.org>\n"
    "Description: GNU C Library: Shared libraries (64-bit)\n\n"
    "Package: libc6\nStatus: install ok installed\nArchitecture: i386\nMulti-Arch: same\n"
    "Maintainer: GNU Libc Maintainers <debian-glibc@lists.debian.org>\n"
    "Description: GNU C Library: Shared libraries (32-bit)\n\n"
    "Package: tool\nStatus: install ok installed\nArchitecture: amd64\n"
    "Maintainer: Jo Doe <jo@example.org>\nDescription: a tool\n\n"
    "Package: early\nStatus: install ok installed\nArchitecture: all\n"
    "Description: sorts first\n";

class PackageIndexTest : public ::testing::Test {
 protected:
  void SetUp() override {
    root_.Link("/lib", "usr/lib");
    root_.Write("/var/lib/dpkg/status", kTwoArchitectures);
    root_.Write("/var/lib/dpkg/info/libc6:amd64.list", "/lib/x86_64-linux-gnu/libc.so.6\n");
    root_.Write("/var/lib/dpkg/info/libc6:i386.list", "/usr/lib/i386-linux-gnu/libc.so.6\n");
    root_.Write("/var/lib/dpkg/info/tool.list",
                "/usr/bin/tool\n/usr/share/metainfo/org.example.tool.xml\n"
                "/usr/share/appdata/tool.appdata.xml\n/usr/share/metainfo/readme.txt\n"
                "/usr/share/shared-file\n");
    root_.Write("/var/lib/dpkg/info/early.list", "/usr/share/shared-file\n");
    root_.Write("/var/lib/dpkg/info/ghost.list", "/usr/bin/ghost\n");
    root_.Write("/var/lib/dpkg/info/tool.md5sums", "/usr/bin/not-a-list-entry\n");
  }
  FakeRoot root_;
};

TEST_F(PackageIndexTest, MapsFilesToTheirPackageAndArchitecture) {
  const PackageIndex index = PackageIndex::Build(root_.path());
  const PackageRecord* amd64 = index.OwnerOf("/usr/lib/x86_64-linux-gnu/libc.so.6");
  const PackageRecord* i386 = index.OwnerOf("/lib/i386-linux-gnu/libc.so.6");
  ASSERT_NE(amd64, nullptr);
  ASSERT_NE(i386, nullptr);
  EXPECT_EQ(amd64->name, "libc6");
  EXPECT_EQ(amd64->summary, "GNU C Library: Shared libraries (64-bit)");
  EXPECT_EQ(i386->summary, "GNU C Library: Shared libraries (32-bit)");
  EXPECT_EQ(index.OwnerOf("/usr/bin/tool")->maintainer, "Jo Doe <jo@example.org>");
}

TEST_F(PackageIndexTest, KnowsTheAppStreamFilesOfAPackage) {
  const PackageIndex index = PackageIndex::Build(root_.path());
  EXPECT_EQ(index.OwnerOf("/usr/bin/tool")->metainfo_files,
            (std::vector<std::string>{"/usr/share/metainfo/org.example.tool.xml",
                                      "/usr/share/appdata/tool.appdata.xml"}));
}

TEST_F(PackageIndexTest, FirstListInNameOrderOwnsASharedFile) {
  const PackageIndex index = PackageIndex::Build(root_.path());
  EXPECT_EQ(index.OwnerOf("/usr/share/shared-file")->name, "early");
}

TEST_F(PackageIndexTest, IgnoresListsOfUnknownPackagesAndOtherInfoFiles) {
  const PackageIndex index = PackageIndex::Build(root_.path());
  EXPECT_EQ(index.OwnerOf("/usr/bin/ghost"), nullptr);
  EXPECT_EQ(index.OwnerOf("/usr/bin/not-a-list-entry"), nullptr);
  EXPECT_EQ(index.OwnerOf(""), nullptr);
  EXPECT_EQ(index.PackageCount(), 4u);
}

TEST(PackageIndexEmpty, NoDatabaseGivesNoOwners) {
  FakeRoot root;
  const PackageIndex index = PackageIndex::Build(root.path());
  EXPECT_EQ(index.PackageCount(), 0u);
  EXPECT_EQ(index.OwnerOf("/usr/bin/bash"), nullptr);
}

}  // namespace
}  // namespace halvane
