#include "platform/windows/windows_app_services.h"

#include <gtest/gtest.h>

#include <fstream>

#include "windows_test_support.h"

namespace halvane {
namespace {

using testing_windows::TemporaryFolder;
using testing_windows::Utf8Path;

TEST(WindowsAppServicesTest, ProgramFileAndSystemDirectoryAreTheSystemsAnswers) {
  WindowsAppServices services;
  EXPECT_EQ(services.ProgramFilePath(), testing_windows::OwnProgramPath());
  wchar_t system[MAX_PATH] = {};
  GetSystemDirectoryW(system, MAX_PATH);
  EXPECT_EQ(services.SystemDirectory(), WideToUtf8(system));
  EXPECT_NE(services.SystemDirectory().back(), '\\');
  EXPECT_FALSE(services.UserConfigDirectory().empty());
}

TEST(PreferredHelpDocumentTest, TheCompiledHelpBesideTheHtmlIsPreferred) {
  TemporaryFolder folder(L"帮助");
  const std::string html = Utf8Path(folder.Path() / L"NetrovaHelp.html");
  EXPECT_EQ(PreferredHelpDocument(html), html);
  std::ofstream(folder.Path() / L"NetrovaHelp.chm") << "ITSF";
  EXPECT_EQ(PreferredHelpDocument(html), Utf8Path(folder.Path() / L"NetrovaHelp.chm"));
  EXPECT_EQ(PreferredHelpDocument("https://halvane.example/"), "https://halvane.example/");
}

TEST(PreferredHelpDocumentTest, AFolderNamedLikeTheCompiledHelpDoesNotCount) {
  TemporaryFolder folder;
  std::filesystem::create_directory(folder.Path() / L"NetrovaHelp.chm");
  const std::string html = Utf8Path(folder.Path() / L"NetrovaHelp.html");
  EXPECT_EQ(PreferredHelpDocument(html), html);
}

}  // namespace
}  // namespace halvane
