#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <filesystem>
#include <fstream>

#include "platform/linux/desktop_icons.h"
#include "ui/qt/icon_backends.h"

namespace halvane {
namespace {

namespace fs = std::filesystem;

class DesktopIconIndexTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(dir_.isValid()); }
  fs::path Root() const { return dir_.path().toStdString(); }
  void Write(const std::string& systemPath, const std::string& text) {
    const fs::path file = Root() / systemPath.substr(1);
    fs::create_directories(file.parent_path());
    std::ofstream(file) << text;
  }
  QTemporaryDir dir_;
};

TEST(DesktopEntryIcon, ReadsTheMainGroupsIconOnly) {
  EXPECT_EQ(DesktopEntryIcon("[Desktop Entry]\nName=A\nIcon = firefox-esr \n"), "firefox-esr");
  EXPECT_EQ(DesktopEntryIcon("[Desktop Action x]\nIcon=other\n[Desktop Entry]\nName=A\n"), "");
  EXPECT_EQ(DesktopEntryIcon("[Desktop Entry]\n# Icon=commented\nIcon[de]=x\n"), "");
  EXPECT_EQ(DesktopEntryIcon(""), "");
}

TEST_F(DesktopIconIndexTest, FindsTheEntryThatLaunchesTheProgram) {
  Write("/usr/bin/editor", "");
  Write("/usr/share/applications/editor.desktop",
        "[Desktop Entry]\nType=Application\nName=Editor\nExec=editor "
        "%F\nIcon=accessories-text-editor\n");
  Write("/usr/share/applications/tool.desktop",
        "[Desktop Entry]\nName=Tool\nExec=env LANG=C /opt/tool/run --x\nIcon=/opt/tool/tool.png\n");
  Write("/usr/share/applications/gone.desktop",
        "[Desktop Entry]\nName=Gone\nExec=/usr/bin/gone\nIcon=gone\nHidden=true\n");
  Write("/usr/share/applications/link.desktop",
        "[Desktop Entry]\nName=Link\nType=Link\nExec=/usr/bin/link\nIcon=link\n");
  const DesktopIconIndex index = DesktopIconIndex::Build(Root());
  EXPECT_EQ(index.IconFor("/usr/bin/editor"), "accessories-text-editor");
  EXPECT_EQ(index.IconFor("/opt/tool/run"), "/opt/tool/tool.png");
  EXPECT_EQ(index.IconFor("/usr/bin/gone"), "");
  EXPECT_EQ(index.IconFor("/usr/bin/link"), "");
  EXPECT_EQ(index.IconFor("/usr/bin/unknown"), "");
  EXPECT_EQ(index.IconFor(""), "");
}

TEST_F(DesktopIconIndexTest, ExecGoesBeforeTryExecAndEarlierDirectoriesWin) {
  Write("/usr/bin/player", "");
  Write("/usr/share/applications/a-helper.desktop",
        "[Desktop Entry]\nName=Helper\nExec=sh -c x\nTryExec=player\nIcon=helper\n");
  Write("/usr/share/applications/b-player.desktop",
        "[Desktop Entry]\nName=Player\nExec=player\nIcon=player-system\n");
  Write("/usr/local/share/applications/b-player.desktop",
        "[Desktop Entry]\nName=Player\nExec=player\nIcon=player-local\n");
  const DesktopIconIndex index = DesktopIconIndex::Build(Root());
  EXPECT_EQ(index.IconFor("/usr/bin/player"), "player-local");
}

TEST_F(DesktopIconIndexTest, UserEntriesComeAfterTheSystemOnes) {
  Write("/usr/bin/mail", "");
  Write("/home/u/.local/share/applications/mail.desktop",
        "[Desktop Entry]\nName=Mail\nExec=/usr/bin/mail\nIcon=mail-user\n");
  const DesktopIconIndex index =
      DesktopIconIndex::Build(Root(), {"/home/u/.local/share/applications"});
  EXPECT_EQ(index.IconFor("/usr/bin/mail"), "mail-user");
}

TEST(IconNameRegistry, GivesEachDistinctNameOneIndex) {
  IconNameRegistry registry;
  EXPECT_EQ(registry.IndexOf("a"), 0);
  EXPECT_EQ(registry.IndexOf("b"), 1);
  EXPECT_EQ(registry.IndexOf("a"), 0);
  ASSERT_NE(registry.NameAt(1), nullptr);
  EXPECT_EQ(*registry.NameAt(1), "b");
  EXPECT_EQ(registry.NameAt(2), nullptr);
  EXPECT_EQ(registry.NameAt(-1), nullptr);
}

TEST(DesktopSystemIcons, ProgramsWithoutAnEntryShareTheExecutableIcon) {
  IconNameRegistry registry;
  DesktopSystemIcons icons(registry, DesktopIconIndex());
  const int first = icons.SystemIconIndex("/usr/bin/a");
  EXPECT_GE(first, 0);
  EXPECT_EQ(icons.SystemIconIndex("/usr/sbin/b"), first);
  EXPECT_EQ(icons.SystemIconIndex(""), first);
  EXPECT_EQ(*registry.NameAt(first), DesktopSystemIcons::kExecutableIcon);
}

TEST(PixmapImageStore, CopiesAtTheListsSize) {
  IconNameRegistry registry;
  const int executable = registry.IndexOf(DesktopSystemIcons::kExecutableIcon);
  PixmapImageStore small(registry);
  PixmapImageStore large(registry);
  EXPECT_EQ(small.AddSystemIcon(executable, true), 0);
  EXPECT_EQ(small.AddSystemIcon(executable, true), 1);
  EXPECT_EQ(small.Pixmap(0).size(), QSize(16, 16));
  EXPECT_EQ(large.AddSystemIcon(executable, false), 0);
  EXPECT_EQ(large.Pixmap(0).size(), QSize(32, 32));
  EXPECT_EQ(small.AddSystemIcon(7, true), -1);
  EXPECT_EQ(small.ImageCount(), 2);
  EXPECT_TRUE(small.Pixmap(5).isNull());
}

TEST(TImageListExOverTheDesktop, CopiesEachDistinctIconOnce) {
  IconNameRegistry registry;
  DesktopSystemIcons systemIcons(registry, DesktopIconIndex());
  PixmapImageStore images(registry);
  TImageListEx list(systemIcons, images);
  EXPECT_EQ(list.IconIndexForFile("/usr/bin/a"), 0);
  EXPECT_EQ(list.IconIndexForFile("/usr/bin/b"), 0);
  EXPECT_EQ(images.ImageCount(), 1);
}

}  // namespace
}  // namespace halvane
