#include "platform/linux/file_identity.h"

#include <gtest/gtest.h>

#include "platform/linux/linux_identity.h"
#include "platform_linux/identity_test_support.h"

namespace halvane {
namespace {

using identity_test::FakeRoot;

// A small merged-/usr Debian system: recorded status stanzas and copyright files of real
// packages, a few made-up packages, desktop entries and AppStream files.
void LayOutTestSystem(const FakeRoot& root) {
  root.Link("/bin", "usr/bin");
  root.Link("/sbin", "usr/sbin");
  root.Link("/lib", "usr/lib");
  for (const char* program : {"bash", "vim.basic", "python3.11", "netmeter", "hello",
                              "unknown-tool", "oldtool", "brokentool"}) {
    root.Write(std::string("/usr/bin/") + program, "program");
  }
  root.Link("/etc/alternatives/vim", "/usr/bin/vim.basic");
  root.Link("/usr/bin/vim", "/etc/alternatives/vim");
  root.Write("/usr/lib/x86_64-linux-gnu/libc.so.6", "library");

  root.CopyData("dpkg/status", "/var/lib/dpkg/status");
  root.Write("/var/lib/dpkg/info/bash.list",
             "/.\n/bin\n/bin/bash\n/usr/share/doc/bash\n/usr/share/doc/bash/copyright\n");
  root.Write("/var/lib/dpkg/info/bash.md5sums", "d41d8cd98f00b204e9800998ecf8427e  bin/bash\n");
  root.Write("/var/lib/dpkg/info/libc6:amd64.list",
             "/lib/x86_64-linux-gnu/libc.so.6\n/usr/share/doc/libc6/copyright\n");
  root.Write("/var/lib/dpkg/info/vim.list", "/usr/bin/vim.basic\n/usr/share/doc/vim\n");
  root.Write("/var/lib/dpkg/info/python3.11.list",
             "/usr/bin/python3.11\n/usr/share/applications/python3.11.desktop\n");
  root.Write("/var/lib/dpkg/info/fonts-urw-base35.list",
             "/usr/share/fonts/opentype/urw-base35/C059-Roman.otf\n"
             "/usr/share/metainfo/de.urwpp.URWCoreFontSetLevel2.metainfo.xml\n");
  root.Write("/var/lib/dpkg/info/netmeter.list",
             "/usr/bin/netmeter\n/usr/share/metainfo/org.example.netmeter.metainfo.xml\n");
  root.Write("/var/lib/dpkg/info/hello.list", "/usr/bin/hello\n");
  root.Write("/var/lib/dpkg/info/oldtool.list", "/usr/bin/oldtool\n");
  root.Write("/var/lib/dpkg/info/brokentool.list", "/usr/bin/brokentool\n");

  root.CopyData("doc/bash.copyright", "/usr/share/doc/bash/copyright");
  root.CopyData("doc/libc6.copyright", "/usr/share/doc/libc6/copyright");
  root.CopyData("doc/python3.11.copyright", "/usr/share/doc/python3.11/copyright");
  root.CopyData("doc/fonts-urw-base35.copyright", "/usr/share/doc/fonts-urw-base35/copyright");
  // Debian links the documentation of some packages to that of another; an absolute link
  // must be followed inside the root.
  root.CopyData("doc/vim.copyright", "/usr/share/doc/vim-common/copyright");
  root.Link("/usr/share/doc/vim", "/usr/share/doc/vim-common");

  for (const char* metainfo :
       {"de.urwpp.URWCoreFontSetLevel2.metainfo.xml", "org.example.netmeter.metainfo.xml"}) {
    root.CopyData(std::string("metainfo/") + metainfo,
                  std::string("/usr/share/metainfo/") + metainfo);
  }
  for (const char* entry : {"vim.desktop", "python3.11.desktop", "netmeter.desktop",
                            "netmeter-settings.desktop", "hello.desktop", "hello-docs.desktop"}) {
    root.CopyData(std::string("applications/") + entry,
                  std::string("/usr/share/applications/") + entry);
  }
  // A local entry of the same ID that is Hidden removes the system's hello.desktop.
  root.CopyData("applications/local-hello.desktop", "/usr/local/share/applications/hello.desktop");
}

struct IdentityCase {
  const char* what;
  const char* path;
  const char* description;
  const char* company;
};

class FileIdentityTest : public ::testing::TestWithParam<IdentityCase> {
 protected:
  static void SetUpTestSuite() {
    root_ = new FakeRoot;
    LayOutTestSystem(*root_);
  }
  static void TearDownTestSuite() {
    delete root_;
    root_ = nullptr;
  }
  static FakeRoot* root_;
};
FakeRoot* FileIdentityTest::root_ = nullptr;

TEST_P(FileIdentityTest, GivesDescriptionAndCompany) {
  const IdentityCase& c = GetParam();
  LinuxProcessIdentity identity(root_->path());
  std::string company = "stale";
  const std::string description = identity.GetFileVersionStrings(c.path, company);
  EXPECT_EQ(description, c.description) << c.what;
  EXPECT_EQ(company, c.company) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    TestSystem, FileIdentityTest,
    ::testing::Values(
        IdentityCase{"package listed as /bin/bash, holder from machine-readable copyright",
                     "/usr/bin/bash", "GNU Bourne Again SHell", "Free Software Foundation, Inc."},
        IdentityCase{"the /bin spelling itself", "/bin/bash", "GNU Bourne Again SHell",
                     "Free Software Foundation, Inc."},
        IdentityCase{"multiarch .list under /lib, free-form copyright gives the maintainer",
                     "/usr/lib/x86_64-linux-gnu/libc.so.6", "GNU C Library: Shared libraries",
                     "GNU Libc Maintainers"},
        IdentityCase{"desktop entry names vim, found through the alternatives link",
                     "/usr/bin/vim.basic", "Vim", "Bram Moolenaar"},
        IdentityCase{"the alternatives link itself", "/usr/bin/vim", "Vim", "Bram Moolenaar"},
        IdentityCase{"NoDisplay entry with an absolute Exec", "/usr/bin/python3.11",
                     "Python (v3.11)", "Matthias Klose"},
        IdentityCase{"AppStream developer_name goes before the copyright holder",
                     "/usr/share/fonts/opentype/urw-base35/C059-Roman.otf",
                     "font set metric-compatible with the 35 PostScript Level 2 Base Fonts",
                     "URW++ Design and Development GmbH"},
        IdentityCase{"Exec through env beats a TryExec-only entry; developer/name",
                     "/usr/bin/netmeter", "Network Meter", "Example Tools Ltd & Co."},
        IdentityCase{"hidden local entry shadows the system one; Link entry ignored",
                     "/usr/bin/hello", "example package based on GNU hello", "Santiago Vila"},
        IdentityCase{"package with only its configuration left", "/usr/bin/oldtool", "", ""},
        IdentityCase{"half-installed package", "/usr/bin/brokentool", "", ""},
        IdentityCase{"file no package or entry knows", "/usr/bin/unknown-tool", "", ""},
        IdentityCase{"file that does not exist", "/usr/bin/missing", "", ""},
        IdentityCase{"empty path", "", "", ""}));

TEST(FileIdentityRoots, AliasesOnlyDirectoriesThatAreMerged) {
  FakeRoot root;
  root.MakeDir("/bin");
  root.MakeDir("/usr/bin");
  root.CopyData("dpkg/status", "/var/lib/dpkg/status");
  root.Write("/var/lib/dpkg/info/bash.list", "/bin/bash\n");
  FileIdentity files(root.path());
  EXPECT_EQ(files.Lookup("/bin/bash").description, "GNU Bourne Again SHell");
  EXPECT_EQ(files.Lookup("/usr/bin/bash").description, "");
}

TEST(FileIdentityRoots, EmptyRootKnowsNothing) {
  FakeRoot root;
  FileIdentity files(root.path());
  const FileVersionStrings strings = files.Lookup("/usr/bin/bash");
  EXPECT_EQ(strings.description, "");
  EXPECT_EQ(strings.company, "");
}

TEST(FileIdentityRoots, GarbageDatabaseKnowsNothing) {
  FakeRoot root;
  root.Write("/var/lib/dpkg/status", std::string("\0\0\xff\n: :\n\n\n Package\n", 19));
  root.Write("/var/lib/dpkg/info/bash.list", std::string("\0/bin/bash", 10));
  root.Write("/usr/share/applications/x.desktop", "[Desktop Entry\nExec=\"\nName=");
  FileIdentity files(root.path());
  EXPECT_EQ(files.Lookup("/bin/bash").description, "");
}

class FileIdentityChanges : public ::testing::Test {
 protected:
  void SetUp() override {
    LayOutTestSystem(root_);
    for (const char* changing : {"/var/lib/dpkg/status", "/var/lib/dpkg/info",
                                 "/usr/share/applications", "/usr/local/share/applications"}) {
      root_.Age(changing);
    }
  }
  std::string DescriptionOf(FileIdentity& files, const char* path) {
    return files.Lookup(path).description;
  }
  FakeRoot root_;
};

TEST_F(FileIdentityChanges, NewPackageIsSeenAfterTheStatusFileChanged) {
  FileIdentity files(root_.path());
  ASSERT_EQ(DescriptionOf(files, "/usr/bin/unknown-tool"), "");
  root_.Write("/var/lib/dpkg/info/unknown-tool.list", "/usr/bin/unknown-tool\n");
  files.Revalidate();
  // The status file has not changed: the package is not installed yet as far as dpkg says.
  EXPECT_EQ(DescriptionOf(files, "/usr/bin/unknown-tool"), "");

  root_.Write("/var/lib/dpkg/status",
              identity_test::ReadWholeFile(root_.At("/var/lib/dpkg/status")) +
                  "Package: unknown-tool\nStatus: install ok installed\n"
                  "Maintainer: Jo Doe <jo@example.org>\nArchitecture: amd64\n"
                  "Description: tool that was just installed\n");
  EXPECT_EQ(DescriptionOf(files, "/usr/bin/unknown-tool"), "") << "only Revalidate rereads";
  files.Revalidate();
  const FileVersionStrings strings = files.Lookup("/usr/bin/unknown-tool");
  EXPECT_EQ(strings.description, "tool that was just installed");
  EXPECT_EQ(strings.company, "Jo Doe");
  EXPECT_EQ(DescriptionOf(files, "/usr/bin/bash"), "GNU Bourne Again SHell");
}

TEST_F(FileIdentityChanges, RemovedPackageIsForgottenAfterItsListWentAway) {
  FileIdentity files(root_.path());
  ASSERT_EQ(DescriptionOf(files, "/usr/bin/hello"), "example package based on GNU hello");
  root_.Remove("/var/lib/dpkg/info/hello.list");
  files.Revalidate();
  EXPECT_EQ(DescriptionOf(files, "/usr/bin/hello"), "");
}

TEST_F(FileIdentityChanges, NewDesktopEntryIsSeenThroughTheProcessSnapshot) {
  LinuxProcessIdentity identity(root_.path());
  std::string company;
  ASSERT_EQ(identity.GetFileVersionStrings("/usr/bin/bash", company), "GNU Bourne Again SHell");
  root_.Write("/usr/share/applications/bash-shell.desktop",
              "[Desktop Entry]\nType=Application\nName=Bash Shell\nExec=bash -l\n");
  identity.CreateProcessSnapshot();
  EXPECT_EQ(identity.GetFileVersionStrings("/usr/bin/bash", company), "Bash Shell");
  EXPECT_EQ(company, "Free Software Foundation, Inc.");
}

}  // namespace
}  // namespace halvane
