#include <gtest/gtest.h>

#include <filesystem>
#include <random>

#include "app/ini_file.h"
#include "form_fixture.h"

namespace halvane {
namespace {

class IniFileTest : public ::testing::Test {
 protected:
  IniFileTest() {
    std::random_device random;
    root_ = fs::temp_directory_path() / ("halvane-ini-test-" + std::to_string(random()));
    fs::create_directories(root_);
  }
  ~IniFileTest() override {
    std::error_code error;
    fs::remove_all(root_, error);
  }

  fs::path root_;
};

TEST_F(IniFileTest, MissingFileReadsNothingAndStaysMissing) {
  const IniFile file((root_ / "Netrova.ini").string());
  EXPECT_EQ(file.ReadString("Set", "ShowInfo"), std::nullopt);
  EXPECT_FALSE(fs::exists(root_ / "Netrova.ini"));
}

TEST_F(IniFileTest, WriteReplacesTheFileAndLeavesNoTemporaryFile) {
  const fs::path path = root_ / "Netrova.ini";
  WriteFileBytes(path, "; mine\r\n[Set]\r\nShowInfo=0\r\n");
  fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write);
  // What the file system made of them (Windows keeps only a read-only flag).
  const fs::perms permissions = fs::status(path).permissions() & fs::perms::all;
  const IniFile file(path.string());

  ASSERT_TRUE(file.WriteString("Set", "ShowInfo", "1"));

  EXPECT_EQ(ReadFileBytes(path), "; mine\r\n[Set]\r\nShowInfo=1\r\n");
  EXPECT_EQ(file.ReadString("set", "SHOWINFO"), "1");
  EXPECT_FALSE(fs::exists(file.TemporaryPath()));
  EXPECT_EQ(fs::status(path).permissions() & fs::perms::all, permissions);
}

TEST_F(IniFileTest, WriteCreatesTheMissingFolder) {
  const fs::path path = root_ / "config" / "halvane" / "Netrova.ini";
  ASSERT_TRUE(IniFile(path.string()).WriteString("Set", "AutoRefresh", "1"));
  EXPECT_EQ(ReadFileBytes(path), "[Set]\nAutoRefresh=1\n");
}

TEST_F(IniFileTest, RefusedTemporaryFileLeavesTheOldFile) {
  const fs::path path = root_ / "Netrova.ini";
  WriteFileBytes(path, "[Set]\nShowInfo=0\n");
  const IniFile file(path.string());
  // A folder where the temporary file would go: it cannot be created, even with root's access.
  fs::create_directories(fs::path(file.TemporaryPath()) / "occupied");

  EXPECT_FALSE(file.WriteString("Set", "ShowInfo", "1"));
  EXPECT_EQ(ReadFileBytes(path), "[Set]\nShowInfo=0\n");
}

TEST_F(IniFileTest, RefusedRenameRemovesTheTemporaryFile) {
  const fs::path path = root_ / "Netrova.ini";
  fs::create_directories(path);  // a folder of that name cannot be replaced by a file
  const IniFile file(path.string());

  EXPECT_FALSE(file.WriteString("Set", "ShowInfo", "1"));
  EXPECT_EQ(file.ReadString("Set", "ShowInfo"), std::nullopt);
  EXPECT_FALSE(fs::exists(file.TemporaryPath()));
  EXPECT_TRUE(fs::is_directory(path));
}

TEST_F(IniFileTest, FolderInTheWayOfTheConfigFolderRefusesTheWrite) {
  WriteFileBytes(root_ / "config", "a file, not a folder");
  const IniFile file((root_ / "config" / "halvane" / "Netrova.ini").string());
  EXPECT_FALSE(file.WriteString("Set", "ShowInfo", "1"));
}

}  // namespace
}  // namespace halvane
