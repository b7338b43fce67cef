#pragma once
#include <windows.h>

#include <shellapi.h>

#include <memory>

namespace halvane {

// The two shell calls the program makes, behind an interface so that a test sees their
// arguments without starting anything. Results are not reported: the program ignores them.
class IShellLauncher {
 public:
  virtual ~IShellLauncher() = default;
  // ShellExecuteW with these arguments.
  virtual void Execute(HWND owner, const wchar_t* verb, const wchar_t* file,
                       const wchar_t* parameters, const wchar_t* directory, int show) = 0;
  // ShellExecuteExW with this record.
  virtual void ExecuteEx(SHELLEXECUTEINFOW& info) = 0;
};

// The running system's shell.
std::unique_ptr<IShellLauncher> MakeSystemShellLauncher();

}  // namespace halvane
