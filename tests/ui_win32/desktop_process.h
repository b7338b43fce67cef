#pragma once
// clang-format off
#include <winsock2.h>
#include <windows.h>
#include <commctrl.h>
// clang-format on

#include <filesystem>
#include <functional>
#include <string>

namespace halvane::testing_win32 {

namespace fs = std::filesystem;

// Waits for a condition by looking again every 100 ms, at most `limitMs`; true once it holds.
inline bool WaitUntil(const std::function<bool()>& condition, DWORD limitMs = 30000) {
  const ULONGLONG end = GetTickCount64() + limitMs;
  for (;;) {
    if (condition())
      return true;
    if (GetTickCount64() >= end)
      return false;
    Sleep(100);
  }
}

inline fs::path OwnDirectory() {
  wchar_t path[MAX_PATH * 4] = {};
  GetModuleFileNameW(nullptr, path, MAX_PATH * 4);
  return fs::path(path).parent_path();
}

// A program started for a test and ended with the object if it is still running.
class StartedProgram {
 public:
  explicit StartedProgram(const fs::path& program) {
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    std::wstring commandLine = L"\"" + program.wstring() + L"\"";
    const std::wstring directory = program.parent_path().wstring();
    started_ = CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0,
                              nullptr, directory.c_str(), &startup, &process_);
    error_ = started_ ? 0 : GetLastError();
  }
  ~StartedProgram() {
    if (!started_)
      return;
    if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT)
      TerminateProcess(process_.hProcess, 1);
    CloseHandle(process_.hThread);
    CloseHandle(process_.hProcess);
  }
  StartedProgram(const StartedProgram&) = delete;
  StartedProgram& operator=(const StartedProgram&) = delete;

  bool Started() const { return started_; }
  DWORD Error() const { return error_; }
  DWORD Id() const { return process_.dwProcessId; }
  HANDLE Handle() const { return process_.hProcess; }
  // Waits for the program to end; its exit code, or STILL_ACTIVE when it did not end in time.
  DWORD WaitForExit(DWORD limitMs = 30000) const {
    WaitForSingleObject(process_.hProcess, limitMs);
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(process_.hProcess, &code);
    return code;
  }

 private:
  PROCESS_INFORMATION process_{};
  bool started_ = false;
  DWORD error_ = 0;
};

// A visible top-level window of the process with this class and caption, or null.
inline HWND FindProcessWindow(DWORD processId, const wchar_t* className, const wchar_t* caption) {
  struct Search {
    DWORD processId;
    const wchar_t* className;
    const wchar_t* caption;
    HWND found;
  } search{processId, className, caption, nullptr};
  EnumWindows(
      [](HWND window, LPARAM data) -> BOOL {
        auto* s = reinterpret_cast<Search*>(data);
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        wchar_t name[256] = {};
        wchar_t text[256] = {};
        GetClassNameW(window, name, 256);
        GetWindowTextW(window, text, 256);
        if (owner == s->processId && IsWindowVisible(window) && lstrcmpW(name, s->className) == 0 &&
            (s->caption == nullptr || lstrcmpW(text, s->caption) == 0)) {
          s->found = window;
          return FALSE;
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

inline std::wstring WindowText(HWND window) {
  wchar_t text[512] = {};
  GetWindowTextW(window, text, 512);
  return text;
}

// The text of one cell of another process's list view, read through memory in that process.
inline std::wstring ListViewCellText(HANDLE process, HWND list, int item, int subItem) {
  constexpr int kChars = 512;
  const SIZE_T size = sizeof(LVITEMW) + kChars * sizeof(wchar_t);
  auto* remote = static_cast<char*>(
      VirtualAllocEx(process, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
  if (remote == nullptr)
    return {};
  LVITEMW request{};
  request.mask = LVIF_TEXT;
  request.iItem = item;
  request.iSubItem = subItem;
  request.pszText = reinterpret_cast<wchar_t*>(remote + sizeof(LVITEMW));
  request.cchTextMax = kChars;
  WriteProcessMemory(process, remote, &request, sizeof(request), nullptr);
  SendMessageW(list, LVM_GETITEMTEXTW, item, reinterpret_cast<LPARAM>(remote));
  wchar_t text[kChars] = {};
  ReadProcessMemory(process, remote + sizeof(LVITEMW), text, sizeof(text) - sizeof(wchar_t),
                    nullptr);
  VirtualFreeEx(process, remote, 0, MEM_RELEASE);
  return text;
}

// Sets the state bits `mask` of one item of another process's list view to `state`, through
// memory in that process, as a click on the item would.
inline bool SetListViewItemState(HANDLE process, HWND list, int item, UINT state, UINT mask) {
  auto* remote = static_cast<LVITEMW*>(
      VirtualAllocEx(process, nullptr, sizeof(LVITEMW), MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
  if (remote == nullptr)
    return false;
  LVITEMW request{};
  request.stateMask = mask;
  request.state = state;
  WriteProcessMemory(process, remote, &request, sizeof(request), nullptr);
  const LRESULT done = SendMessageW(list, LVM_SETITEMSTATE, static_cast<WPARAM>(item),
                                    reinterpret_cast<LPARAM>(remote));
  VirtualFreeEx(process, remote, 0, MEM_RELEASE);
  return done != FALSE;
}

// Writes what the screen shows of `area` to a 24-bit BMP file.
bool SaveScreenArea(const RECT& area, const fs::path& file);

}  // namespace halvane::testing_win32
