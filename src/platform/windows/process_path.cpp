#include "platform/windows/process_path.h"

#include "platform/windows/wide_text.h"

namespace halvane {
namespace {

// PROCESS_QUERY_INFORMATION | PROCESS_VM_READ
constexpr DWORD kQueryAndReadAccess = 0x410;
// Room for 1024 characters and the NUL; a longer path comes back cut by the system.
constexpr DWORD kPathBufferLength = 1025;

// A process handle closed with the object, on every path.
class ProcessHandle {
 public:
  explicit ProcessHandle(HANDLE handle) : handle_(handle) {}
  ~ProcessHandle() {
    if (handle_ != nullptr)
      CloseHandle(handle_);
  }
  ProcessHandle(const ProcessHandle&) = delete;
  ProcessHandle& operator=(const ProcessHandle&) = delete;
  HANDLE get() const { return handle_; }

 private:
  HANDLE handle_;
};

}  // namespace

std::string ProcessPathByPid(PsapiFunctions& psapi, std::uint32_t pid) {
  const ProcessHandle process(OpenProcess(kQueryAndReadAccess, FALSE, pid));
  if (process.get() == nullptr)
    return {};
  // The system lists the executable module first: room for exactly that one.
  HMODULE module = nullptr;
  DWORD needed = 0;
  if (!psapi.EnumProcessModules(process.get(), &module, sizeof(module), &needed))
    return {};
  wchar_t path[kPathBufferLength] = {};
  const DWORD length = psapi.GetModuleFileNameExW(process.get(), module, path, kPathBufferLength);
  if (length == 0)
    return {};  // nothing was written
  return WideBufferToUtf8(path, length < kPathBufferLength ? length : kPathBufferLength);
}

}  // namespace halvane
