#include "platform/linux/desktop_entries.h"

#include <gtest/gtest.h>

#include "platform_linux/identity_test_support.h"

namespace halvane {
namespace {

using identity_test::FakeRoot;

TEST(ParseDesktopEntry, ReadsOnlyTheMainGroupAndUntranslatedKeys) {
  const DesktopEntry entry = ParseDesktopEntry(
      "# comment\n"
      "[Desktop Entry]\n"
      "Name[zh_CN]=网络流量计\n"
      "Name = Network\\sMeter\\\\2\n"
      "Exec=netmeter %U\r\n"
      "TryExec=netmeter\n"
      "Type=Application\n"
      "NoDisplay=true\n"
      "Hidden=false\n"
      "[Desktop Action Settings]\n"
      "Name=Settings\n"
      "Exec=netmeter-settings\n"
      "Hidden=true\n");
  EXPECT_EQ(entry.name, "Network Meter\\2");
  EXPECT_EQ(entry.exec, "netmeter %U");
  EXPECT_EQ(entry.try_exec, "netmeter");
  EXPECT_EQ(entry.type, "Application");
  EXPECT_TRUE(entry.no_display);
  EXPECT_FALSE(entry.hidden);
}

TEST(ParseDesktopEntry, KeysOutsideAnyGroupAndGarbageAreIgnored) {
  const DesktopEntry entry = ParseDesktopEntry("Name=Before\n[Desktop Entry\nExec\n=x\n");
  EXPECT_EQ(entry.name, "");
  EXPECT_EQ(entry.exec, "");
}

struct ExecCase {
  const char* exec;
  const char* program;
};

class ExecProgramTest : public ::testing::TestWithParam<ExecCase> {};

TEST_P(ExecProgramTest, TakesTheFirstWord) {
  EXPECT_EQ(ExecProgram(GetParam().exec), GetParam().program) << GetParam().exec;
}

INSTANTIATE_TEST_SUITE_P(
    Lines, ExecProgramTest,
    ::testing::Values(ExecCase{"vim %F", "vim"},
                      ExecCase{"  /usr/bin/python3.11", "/usr/bin/python3.11"},
                      ExecCase{"\"/opt/My App/app\" --flag %u", "/opt/My App/app"},
                      ExecCase{"\"/opt/say \\\"hi\\\"\" x", "/opt/say \"hi\""},
                      ExecCase{"env GDK_BACKEND=x11 LANG=C netmeter --tray", "netmeter"},
                      ExecCase{"/usr/bin/env -i FOO=1 /usr/bin/tool", "/usr/bin/tool"},
                      ExecCase{"env", ""}, ExecCase{"", ""}, ExecCase{"\"unclosed", "unclosed"}));

class DesktopEntryIndexTest : public ::testing::Test {
 protected:
  void Entry(const std::string& dir, const std::string& id, const std::string& body) {
    root_.Write(dir + "/" + id, "[Desktop Entry]\nType=Application\n" + body);
  }
  FakeRoot root_;
};

TEST_F(DesktopEntryIndexTest, FindsBareNamesInTheProgramDirectories) {
  root_.Write("/usr/sbin/tool", "");
  root_.Write("/usr/local/bin/localtool", "");
  Entry("/usr/share/applications", "tool.desktop", "Name=Tool\nExec=tool\n");
  Entry("/usr/share/applications", "local.desktop", "Name=Local\nExec=localtool\n");
  Entry("/usr/share/applications", "absent.desktop", "Name=Absent\nExec=absent\n");
  const DesktopEntryIndex index = DesktopEntryIndex::Build(root_.path());
  EXPECT_EQ(index.NameFor("/usr/sbin/tool"), "Tool");
  EXPECT_EQ(index.NameFor("/usr/local/bin/localtool"), "Local");
  EXPECT_EQ(index.NameFor("/usr/bin/absent"), "");
  EXPECT_EQ(index.NameFor(""), "");
}

TEST_F(DesktopEntryIndexTest, ExecGoesBeforeTryExecAndShownBeforeNoDisplay) {
  root_.Write("/usr/bin/app", "");
  Entry("/usr/share/applications", "a-helper.desktop", "Name=Helper\nTryExec=app\nExec=helper\n");
  Entry("/usr/share/applications", "b-hidden-menu.desktop",
        "Name=Quiet\nExec=app\nNoDisplay=true\n");
  Entry("/usr/share/applications", "c-app.desktop", "Name=App\nExec=app %f\n");
  const DesktopEntryIndex index = DesktopEntryIndex::Build(root_.path());
  EXPECT_EQ(index.NameFor("/usr/bin/app"), "App");
}

TEST_F(DesktopEntryIndexTest, SameIdInAnEarlierDirectoryShadowsAndHiddenRemoves) {
  root_.Write("/usr/bin/one", "");
  root_.Write("/usr/bin/two", "");
  Entry("/usr/share/applications", "one.desktop", "Name=System One\nExec=one\n");
  Entry("/usr/local/share/applications", "one.desktop", "Name=Local One\nExec=one\n");
  Entry("/usr/share/applications/kde", "two.desktop", "Name=System Two\nExec=two\n");
  Entry("/usr/local/share/applications", "kde-two.desktop", "Name=Gone\nExec=two\nHidden=true\n");
  const DesktopEntryIndex index = DesktopEntryIndex::Build(root_.path());
  EXPECT_EQ(index.NameFor("/usr/bin/one"), "Local One");
  EXPECT_EQ(index.NameFor("/usr/bin/two"), "");
}

TEST_F(DesktopEntryIndexTest, OnlyApplicationsWithANameCount) {
  root_.Write("/usr/bin/app", "");
  root_.Write("/usr/share/applications/link.desktop",
              "[Desktop Entry]\nType=Link\nName=Link\nExec=app\n");
  Entry("/usr/share/applications", "nameless.desktop", "Exec=app\n");
  root_.Write("/usr/share/applications/notes.txt", "[Desktop Entry]\nName=Text\nExec=app\n");
  EXPECT_EQ(DesktopEntryIndex::Build(root_.path()).NameFor("/usr/bin/app"), "");
}

TEST_F(DesktopEntryIndexTest, ProgramIsKnownByEitherMergedUsrSpellingAndByItsLinkTarget) {
  root_.Link("/bin", "usr/bin");
  root_.Write("/usr/bin/vim.basic", "");
  root_.Link("/etc/alternatives/vim", "/usr/bin/vim.basic");
  root_.Link("/usr/bin/vim", "/etc/alternatives/vim");
  Entry("/usr/share/applications", "vim.desktop", "Name=Vim\nExec=/bin/vim %F\n");
  const DesktopEntryIndex index = DesktopEntryIndex::Build(root_.path());
  EXPECT_EQ(index.NameFor("/usr/bin/vim"), "Vim");
  EXPECT_EQ(index.NameFor("/bin/vim"), "Vim");
  EXPECT_EQ(index.NameFor("/usr/bin/vim.basic"), "Vim");
}

TEST_F(DesktopEntryIndexTest, RecordsTheDirectoriesItRead) {
  Entry("/usr/share/applications/sub", "x.desktop", "Name=X\nExec=/x\n");
  const DesktopEntryIndex index = DesktopEntryIndex::Build(root_.path());
  std::vector<std::filesystem::path> dirs;
  for (const auto& [dir, stamp] : index.Sources()) {
    dirs.push_back(dir);
  }
  EXPECT_EQ(dirs, (std::vector<std::filesystem::path>{root_.At("/usr/local/share/applications"),
                                                      root_.At("/usr/share/applications"),
                                                      root_.At("/usr/share/applications/sub")}));
}

}  // namespace
}  // namespace halvane
