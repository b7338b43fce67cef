#include "platform/windows/shell_launcher.h"

namespace halvane {
namespace {

class SystemShellLauncher : public IShellLauncher {
 public:
  void Execute(HWND owner, const wchar_t* verb, const wchar_t* file, const wchar_t* parameters,
               const wchar_t* directory, int show) override {
    ShellExecuteW(owner, verb, file, parameters, directory, show);
  }
  void ExecuteEx(SHELLEXECUTEINFOW& info) override { ShellExecuteExW(&info); }
};

}  // namespace

std::unique_ptr<IShellLauncher> MakeSystemShellLauncher() {
  return std::make_unique<SystemShellLauncher>();
}

}  // namespace halvane
