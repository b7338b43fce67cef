// halvane-cli.exe on the running system: the console companion's Windows entry.
#include <gtest/gtest.h>

#include <string>

#include "desktop_process.h"
#include "halvane_program.h"

namespace halvane {
namespace {

using testing_win32::LoopbackListener;
using testing_win32::OwnDirectory;

// Runs the program with its standard output into a pipe; what it printed, and its exit code.
struct Output {
  std::string text;
  DWORD exitCode = STILL_ACTIVE;
};

Output RunConsoleProgram(const std::wstring& arguments) {
  Output output;
  SECURITY_ATTRIBUTES inherit{sizeof(inherit), nullptr, TRUE};
  HANDLE readEnd = nullptr;
  HANDLE writeEnd = nullptr;
  if (!CreatePipe(&readEnd, &writeEnd, &inherit, 0))
    return output;
  SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdOutput = writeEnd;
  startup.hStdError = writeEnd;
  startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
  const std::wstring program = (OwnDirectory() / L"halvane-cli.exe").wstring();
  std::wstring commandLine = L"\"" + program + L"\" " + arguments;
  PROCESS_INFORMATION process{};
  const BOOL started = CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, TRUE,
                                      CREATE_NO_WINDOW, nullptr, nullptr, &startup, &process);
  CloseHandle(writeEnd);
  if (started) {
    char buffer[4096];
    DWORD read = 0;
    while (ReadFile(readEnd, buffer, sizeof(buffer), &read, nullptr) && read > 0)
      output.text.append(buffer, read);
    WaitForSingleObject(process.hProcess, 30000);
    GetExitCodeProcess(process.hProcess, &output.exitCode);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
  }
  CloseHandle(readEnd);
  return output;
}

TEST(ConsoleCompanionTest, PrintsTheListenerAsJsonLinesInUtf8) {
  const LoopbackListener listener;
  const Output output = RunConsoleProgram(L"--json");
  EXPECT_EQ(output.exitCode, 0u);
  EXPECT_NE(output.text.find("\"LocalPort\": \"" + std::to_string(listener.Port()) + "\""),
            std::string::npos)
      << output.text;
  EXPECT_NE(output.text.find("\"State\": \"监听\""), std::string::npos) << output.text;
}

TEST(ConsoleCompanionTest, AWrongOptionEndsWithStatusTwo) {
  const Output output = RunConsoleProgram(L"--no-such-option");
  EXPECT_EQ(output.exitCode, 2u);
  EXPECT_NE(output.text.find("halvane-cli:"), std::string::npos);
}

}  // namespace
}  // namespace halvane
