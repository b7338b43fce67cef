// The program's settings file code on Windows: next to the program, in folders whose names lie
// outside the ANSI code page, and readable and writable by the system's profile functions.
#include <gtest/gtest.h>

#include <fstream>

#include "app/ini_file.h"
#include "app/settings_file.h"
#include "windows_test_support.h"

namespace halvane {
namespace {

namespace fs = std::filesystem;
using testing_windows::TemporaryFolder;
using testing_windows::Utf8Path;

std::wstring ProfileString(const fs::path& file, const wchar_t* section, const wchar_t* key) {
  wchar_t value[2048] = {};
  GetPrivateProfileStringW(section, key, L"", value, 2048, file.wstring().c_str());
  return value;
}

class SettingsFileTest : public ::testing::TestWithParam<const wchar_t*> {
 protected:
  TemporaryFolder folder_{GetParam()};
  fs::path File() const { return folder_.Path() / L"Netrova.ini"; }
};

TEST_P(SettingsFileTest, WhatTheProgramWritesTheProfileFunctionsRead) {
  const IniFile file(Utf8Path(File()));
  ASSERT_TRUE(file.WriteString("Set", "ShowInfo", "1"));
  ASSERT_TRUE(file.WriteString("Set", "AlwaysTop", "0"));
  EXPECT_TRUE(fs::exists(File()));
  EXPECT_EQ(ProfileString(File(), L"Set", L"ShowInfo"), L"1");
  EXPECT_EQ(ProfileString(File(), L"set", L"ALWAYSTOP"), L"0");
  EXPECT_EQ(file.ReadString("Set", "ShowInfo"), "1");
}

TEST_P(SettingsFileTest, WhatTheProfileFunctionsWriteTheProgramReads) {
  ASSERT_TRUE(WritePrivateProfileStringW(L"Set", L"AutoRefresh", L" 1 ", File().wstring().c_str()));
  ASSERT_TRUE(WritePrivateProfileStringW(L"Other", L"Key", L"x", File().wstring().c_str()));
  WritePrivateProfileStringW(nullptr, nullptr, nullptr, File().wstring().c_str());  // flush
  const IniFile file(Utf8Path(File()));
  EXPECT_EQ(file.ReadString("SET", "autorefresh"), "1");
  ASSERT_TRUE(file.WriteString("Set", "ShowLocal", "0"));
  EXPECT_EQ(ProfileString(File(), L"Set", L"ShowLocal"), L"0");
  EXPECT_EQ(ProfileString(File(), L"Set", L"AutoRefresh"), L"1");
  EXPECT_EQ(ProfileString(File(), L"Other", L"Key"), L"x");
}

TEST_P(SettingsFileTest, AWritableProgramDirectoryKeepsTheFileBesideTheProgram) {
  const std::string exeDir = Utf8Path(folder_.Path()) + "\\";
  EXPECT_TRUE(DirectoryIsWritable(exeDir));
  EXPECT_EQ(ChooseSettingsFile(exeDir, Utf8Path(folder_.Path() / L"config")),
            exeDir + "Netrova.ini");
}

INSTANTIATE_TEST_SUITE_P(Folders, SettingsFileTest,
                         ::testing::Values(L"plain", L"网络连接查看器", L"Ünïcødé ✓"));

}  // namespace
}  // namespace halvane
