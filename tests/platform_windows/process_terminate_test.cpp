// Ending a process: only while its PID still runs the program the row names.
#include "platform/windows/process_terminate.h"

#include <gtest/gtest.h>

#include <random>

#include "platform/windows/process_path.h"
#include "platform/windows/windows_app_services.h"
#include "windows_test_support.h"

namespace halvane {
namespace {

using testing_windows::OwnProgramDirectory;
using testing_windows::OwnProgramPath;
using testing_windows::Utf8Path;

constexpr DWORD kChildOwnExitCode = 7;  // waiting_child's code when it ends by itself
constexpr DWORD kEndedExitCode = 0;     // the code the end-process command gives
constexpr DWORD kExitLimitMs = 30000;
constexpr std::uint32_t kFarBeyondAnyPid = 0xFFFFFFF0u;

// waiting_child.exe, started for a test: it runs until released or ended.
class WaitingChild {
 public:
  WaitingChild() {
    std::random_device random;
    const std::wstring eventName = L"halvane-waiting-child-" + std::to_wstring(random());
    release_ = CreateEventW(nullptr, TRUE, FALSE, eventName.c_str());
    program_ = OwnProgramDirectory() / L"waiting_child.exe";
    std::wstring commandLine = L"\"" + program_.wstring() + L"\" " + eventName;
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    started_ = CreateProcessW(program_.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0,
                              nullptr, nullptr, &startup, &process_) != FALSE;
  }
  ~WaitingChild() {
    SetEvent(release_);
    if (started_) {
      WaitForSingleObject(process_.hProcess, kExitLimitMs);
      CloseHandle(process_.hThread);
      CloseHandle(process_.hProcess);
    }
    CloseHandle(release_);
  }
  WaitingChild(const WaitingChild&) = delete;
  WaitingChild& operator=(const WaitingChild&) = delete;

  bool Started() const { return started_; }
  std::uint32_t Pid() const { return process_.dwProcessId; }
  std::string ProgramPath() const { return Utf8Path(program_); }
  // Lets the child end by itself (if it still runs); its exit code once it has ended.
  DWORD ReleaseAndWait() const {
    SetEvent(release_);
    return ExitCode();
  }
  DWORD ExitCode() const {
    WaitForSingleObject(process_.hProcess, kExitLimitMs);
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(process_.hProcess, &code);
    return code;
  }

 private:
  std::filesystem::path program_;
  HANDLE release_ = nullptr;
  PROCESS_INFORMATION process_{};
  bool started_ = false;
};

std::string UpperCase(const std::string& text) {
  std::wstring wide = Utf8ToWide(text);
  CharUpperBuffW(wide.data(), static_cast<DWORD>(wide.size()));
  return WideToUtf8(wide);
}

TEST(EndProcessTest, TheChildIsEndedWhenItRunsThePathItsRowGives) {
  const WaitingChild child;
  ASSERT_TRUE(child.Started());
  // The row's path comes from the process's first module, as the list reads it. A process whose
  // loader has not finished yet lists no modules, so a child just started is asked again.
  PsapiFunctions psapi;
  std::string rowPath = ProcessPathByPid(psapi, child.Pid());
  for (int tries = 0; rowPath.empty() && tries < 200; ++tries) {
    Sleep(10);
    rowPath = ProcessPathByPid(psapi, child.Pid());
  }
  ASSERT_FALSE(rowPath.empty());
  EXPECT_TRUE(SamePathText(rowPath, child.ProgramPath())) << rowPath;

  WindowsAppServices services;
  EXPECT_EQ(services.TerminateProcess(child.Pid(), rowPath), TerminateResult::Ended);
  EXPECT_EQ(child.ExitCode(), kEndedExitCode);
}

TEST(EndProcessTest, TheLetterCaseOfTheRowsPathDoesNotMatter) {
  const WaitingChild child;
  ASSERT_TRUE(child.Started());
  EXPECT_EQ(EndProcessRunning(child.Pid(), UpperCase(child.ProgramPath())), TerminateResult::Ended);
  EXPECT_EQ(child.ExitCode(), kEndedExitCode);
}

// A PID taken over by another program, or a row without a path: nothing is ended, and the
// child later ends by itself with its own exit code.
TEST(EndProcessTest, APidRunningAnotherProgramIsLeftAlone) {
  const std::string otherPrograms[] = {
      "C:\\windows\\system32\\notepad.exe",
      OwnProgramPath(),
      "",
  };
  for (const std::string& expected : otherPrograms) {
    SCOPED_TRACE(expected);
    const WaitingChild child;
    ASSERT_TRUE(child.Started());
    EXPECT_EQ(EndProcessRunning(child.Pid(), expected), TerminateResult::CannotEnd);
    EXPECT_EQ(child.ReleaseAndWait(), kChildOwnExitCode);
  }
}

TEST(EndProcessTest, APidThatRunsNothingCannotBeEnded) {
  for (const std::uint32_t pid : {0u, kFarBeyondAnyPid}) {
    SCOPED_TRACE(pid);
    EXPECT_EQ(EndProcessRunning(pid, "C:\\windows\\system32\\notepad.exe"),
              TerminateResult::CannotEnd);
  }
}

TEST(ProcessImagePathTest, ThisProcessRunsThisTestProgram) {
  EXPECT_TRUE(SamePathText(ProcessImagePath(GetCurrentProcess()), OwnProgramPath()));
  EXPECT_EQ(ProcessImagePath(nullptr), "");
}

TEST(SamePathTextTest, PathsCompareEqualButForLetterCase) {
  struct Case {
    const char* left;
    const char* right;
    bool same;
  };
  const Case cases[] = {
      {"C:\\Program Files\\App\\app.exe", "c:\\PROGRAM FILES\\app\\APP.EXE", true},
      {"C:\\Σοφία\\ΑΡΧΕΙΟ.exe", "C:\\σοφία\\αρχειο.exe", true},
      {"D:\\程序\\网络.exe", "D:\\程序\\网络.exe", true},
      {"C:\\App\\app.exe", "C:\\App\\app.ex", false},
      {"C:\\App\\app.exe", "C:\\App\\app.exe ", false},
      {"C:\\App\\app.exe", "C:/App/app.exe", false},
      {"", "", true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.left) + " | " + c.right);
    EXPECT_EQ(SamePathText(c.left, c.right), c.same);
  }
}

}  // namespace
}  // namespace halvane
