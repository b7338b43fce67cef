#include "platform/windows/process_terminate.h"

#include "platform/windows/wide_text.h"

namespace halvane {
namespace {

constexpr DWORD kEndAndQueryAccess = PROCESS_TERMINATE | PROCESS_QUERY_LIMITED_INFORMATION;
constexpr DWORD kFirstPathBuffer = MAX_PATH;
constexpr DWORD kLongestPath = 32768;  // the longest path the system knows, with its NUL

// A process handle closed with the object, on every path.
class OwnedHandle {
 public:
  explicit OwnedHandle(HANDLE handle) : handle_(handle) {}
  ~OwnedHandle() {
    if (handle_ != nullptr)
      CloseHandle(handle_);
  }
  OwnedHandle(const OwnedHandle&) = delete;
  OwnedHandle& operator=(const OwnedHandle&) = delete;
  HANDLE get() const { return handle_; }

 private:
  HANDLE handle_;
};

}  // namespace

std::string ProcessImagePath(HANDLE process) {
  for (DWORD capacity = kFirstPathBuffer; capacity <= kLongestPath; capacity *= 2) {
    std::wstring path(capacity, L'\0');
    DWORD length = capacity;
    if (QueryFullProcessImageNameW(process, 0, path.data(), &length))
      return WideToUtf8(std::wstring_view(path.data(), length));
    if (GetLastError() != ERROR_INSUFFICIENT_BUFFER)
      return {};
  }
  return {};
}

bool SamePathText(const std::string& left, const std::string& right) {
  const std::wstring wideLeft = Utf8ToWide(left);
  const std::wstring wideRight = Utf8ToWide(right);
  return CompareStringOrdinal(wideLeft.c_str(), static_cast<int>(wideLeft.size()),
                              wideRight.c_str(), static_cast<int>(wideRight.size()),
                              TRUE) == CSTR_EQUAL;
}

TerminateResult EndProcessRunning(std::uint32_t pid, const std::string& expectedExePath) {
  const OwnedHandle process(OpenProcess(kEndAndQueryAccess, FALSE, pid));
  if (process.get() == nullptr)
    return TerminateResult::CannotEnd;
  // The row was read a while ago: the PID may belong to another program by now.
  const std::string running = ProcessImagePath(process.get());
  if (expectedExePath.empty() || running.empty() || !SamePathText(running, expectedExePath))
    return TerminateResult::CannotEnd;
  // Whether the system obeys is not reported: the list's refresh shows it.
  ::TerminateProcess(process.get(), 0);
  return TerminateResult::Ended;
}

}  // namespace halvane
