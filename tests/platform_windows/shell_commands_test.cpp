// Locate, properties, documents and addresses: the shell calls and their arguments, seen
// through a launcher that starts nothing; and the file test of the locate command.
#include <gtest/gtest.h>

#include <fstream>
#include <optional>

#include "platform/windows/windows_app_services.h"
#include "platform/windows/windows_platform.h"
#include "windows_test_support.h"

namespace halvane {
namespace {

using testing_windows::TemporaryFolder;
using testing_windows::Utf8Path;

std::optional<std::wstring> Text(const wchar_t* text) {
  return text ? std::optional<std::wstring>(text) : std::nullopt;
}

// What the program asked the shell, copied while the call lasted.
struct ExecuteCall {
  HWND owner;
  std::optional<std::wstring> verb, file, parameters, directory;
  int show;
};
struct ExecuteExCall {
  SHELLEXECUTEINFOW info;  // its text pointers are only good during the call
  std::optional<std::wstring> verb, file;
};

class RecordingShell : public IShellLauncher {
 public:
  RecordingShell(std::vector<ExecuteCall>& calls, std::vector<ExecuteExCall>& exCalls)
      : calls_(calls), exCalls_(exCalls) {}
  void Execute(HWND owner, const wchar_t* verb, const wchar_t* file, const wchar_t* parameters,
               const wchar_t* directory, int show) override {
    calls_.push_back({owner, Text(verb), Text(file), Text(parameters), Text(directory), show});
  }
  void ExecuteEx(SHELLEXECUTEINFOW& info) override {
    exCalls_.push_back({info, Text(info.lpVerb), Text(info.lpFile)});
  }

 private:
  std::vector<ExecuteCall>& calls_;
  std::vector<ExecuteExCall>& exCalls_;
};

class ShellCommandsTest : public ::testing::Test {
 protected:
  ShellCommandsTest()
      : services_(MakeWindowsConnectionTables(), MakeWindowsProcessIdentity(),
                  std::make_unique<RecordingShell>(calls_, exCalls_)) {}

  std::vector<ExecuteCall> calls_;
  std::vector<ExecuteExCall> exCalls_;
  WindowsAppServices services_;
};

TEST_F(ShellCommandsTest, LocateStartsExplorerSelectingTheQuotedPath) {
  struct Case {
    const char* path;
    const wchar_t* parameters;
  };
  const Case cases[] = {
      {"C:\\Program Files\\App\\app.exe", L"/select,\"C:\\Program Files\\App\\app.exe\""},
      // Unquoted, Explorer would split this one at the comma.
      {"C:\\Tools\\a,b\\x.exe", L"/select,\"C:\\Tools\\a,b\\x.exe\""},
      {"D:\\程序\\网络.exe", L"/select,\"D:\\程序\\网络.exe\""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path);
    calls_.clear();
    services_.ShowInFileManager(c.path);
    ASSERT_EQ(calls_.size(), 1u);
    const ExecuteCall& call = calls_[0];
    EXPECT_EQ(call.owner, nullptr);
    EXPECT_EQ(call.verb, L"open");
    EXPECT_EQ(call.file, L"explorer.exe");
    EXPECT_EQ(call.parameters, c.parameters);
    EXPECT_EQ(call.directory, std::nullopt);
    EXPECT_EQ(call.show, SW_SHOWNORMAL);
  }
  EXPECT_TRUE(exCalls_.empty());
}

TEST_F(ShellCommandsTest, PropertiesInvokeTheShellsPropertiesVerbOnThePlainPath) {
  services_.ShowFileProperties("D:\\程序\\网络.exe");
  ASSERT_EQ(exCalls_.size(), 1u);
  const ExecuteExCall& call = exCalls_[0];
  EXPECT_EQ(call.info.cbSize, sizeof(SHELLEXECUTEINFOW));
  EXPECT_EQ(call.info.fMask, static_cast<ULONG>(SEE_MASK_INVOKEIDLIST));
  EXPECT_EQ(call.info.fMask, 12u);
  EXPECT_EQ(call.verb, L"properties");
  EXPECT_EQ(call.file, L"D:\\程序\\网络.exe");
  // Everything else stays zero: no owner, no show command, no parameters.
  EXPECT_EQ(call.info.hwnd, nullptr);
  EXPECT_EQ(call.info.nShow, 0);
  EXPECT_EQ(call.info.lpParameters, nullptr);
  EXPECT_EQ(call.info.lpDirectory, nullptr);
  EXPECT_EQ(call.info.lpIDList, nullptr);
  EXPECT_EQ(call.info.lpClass, nullptr);
  EXPECT_EQ(call.info.hInstApp, nullptr);
  EXPECT_TRUE(calls_.empty());
}

TEST_F(ShellCommandsTest, DocumentsAndAddressesOpenOwnedByTheMainWindow) {
  const HWND owner = reinterpret_cast<HWND>(static_cast<INT_PTR>(0x1234));
  services_.SetOwnerWindow(owner);
  services_.OpenUrl("https://halvane.example/");
  services_.OpenDocument("C:\\nowhere\\NetrovaHelp.html");
  ASSERT_EQ(calls_.size(), 2u);
  EXPECT_EQ(calls_[0].owner, owner);
  EXPECT_EQ(calls_[0].verb, std::nullopt);
  EXPECT_EQ(calls_[0].file, L"https://halvane.example/");
  EXPECT_EQ(calls_[1].owner, owner);
  EXPECT_EQ(calls_[1].verb, L"open");
  EXPECT_EQ(calls_[1].file, L"C:\\nowhere\\NetrovaHelp.html");
  EXPECT_EQ(calls_[1].show, SW_SHOWNORMAL);
}

TEST_F(ShellCommandsTest, OnlyAnExistingFileThatIsNoDirectoryCountsForLocate) {
  TemporaryFolder folder(L"程序");
  const auto file = folder.Path() / L"网络.exe";
  std::ofstream(file) << "MZ";
  EXPECT_TRUE(services_.IsRegularFile(Utf8Path(file)));
  EXPECT_FALSE(services_.IsRegularFile(Utf8Path(folder.Path())));
  EXPECT_FALSE(services_.IsRegularFile(Utf8Path(folder.Path() / L"gone.exe")));
  EXPECT_FALSE(services_.IsRegularFile(""));
}

TEST_F(ShellCommandsTest, TheSystemDirectoryAloneMarksTheSystemsPrograms) {
  EXPECT_TRUE(services_.SystemProgramDirectories().empty());
}

}  // namespace
}  // namespace halvane
