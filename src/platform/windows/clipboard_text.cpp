#include "platform/windows/clipboard_text.h"

#include <windows.h>

#include <cstring>

#include "platform/windows/wide_text.h"

namespace halvane {
namespace {

// The clipboard needs a window as its owner, or filling it fails: a hidden message-only window
// serves for the copy and goes afterwards; the data stays on the clipboard.
class ClipboardOwner {
 public:
  ClipboardOwner()
      : window_(CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                GetModuleHandleW(nullptr), nullptr)) {}
  ~ClipboardOwner() {
    if (window_ != nullptr)
      DestroyWindow(window_);
  }
  ClipboardOwner(const ClipboardOwner&) = delete;
  ClipboardOwner& operator=(const ClipboardOwner&) = delete;
  HWND get() const { return window_; }

 private:
  HWND window_;
};

constexpr int kOpenAttempts = 5;
constexpr DWORD kOpenRetryMs = 10;

// The clipboard, open for as long as the object lives. Another program (a clipboard viewer, the
// desktop's clipboard keeper) may hold it for a moment: the opening is tried a few times.
class OpenClipboardSession {
 public:
  explicit OpenClipboardSession(HWND owner) {
    for (int attempt = 0; attempt < kOpenAttempts && !open_; ++attempt) {
      open_ = OpenClipboard(owner) != FALSE;
      if (!open_)
        Sleep(kOpenRetryMs);
    }
  }
  ~OpenClipboardSession() {
    if (open_)
      CloseClipboard();
  }
  OpenClipboardSession(const OpenClipboardSession&) = delete;
  OpenClipboardSession& operator=(const OpenClipboardSession&) = delete;
  bool IsOpen() const { return open_; }

 private:
  bool open_ = false;
};

// Hands a copy of the bytes to the clipboard; the clipboard owns the memory once it took it.
bool SetFormat(UINT format, const void* data, std::size_t bytes) {
  const HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
  if (memory == nullptr)
    return false;
  void* target = GlobalLock(memory);
  if (target == nullptr) {
    GlobalFree(memory);
    return false;
  }
  std::memcpy(target, data, bytes);
  GlobalUnlock(memory);
  if (SetClipboardData(format, memory) == nullptr) {
    GlobalFree(memory);
    return false;
  }
  return true;
}

std::string WideToAnsi(const std::wstring& wide) {
  if (wide.empty())
    return {};
  const int length = static_cast<int>(wide.size());
  const int needed =
      WideCharToMultiByte(CP_ACP, 0, wide.data(), length, nullptr, 0, nullptr, nullptr);
  if (needed <= 0)
    return {};
  std::string ansi(static_cast<std::size_t>(needed), '\0');
  WideCharToMultiByte(CP_ACP, 0, wide.data(), length, ansi.data(), needed, nullptr, nullptr);
  return ansi;
}

}  // namespace

bool PutTextOnClipboard(const std::string& utf8) {
  const std::wstring wide = Utf8ToWide(utf8);
  const std::string ansi = WideToAnsi(wide);
  const ClipboardOwner owner;
  const OpenClipboardSession clipboard(owner.get());
  if (!clipboard.IsOpen() || !EmptyClipboard())
    return false;
  // Each with its terminating NUL.
  const bool unicode = SetFormat(CF_UNICODETEXT, wide.c_str(), (wide.size() + 1) * sizeof(wchar_t));
  const bool eightBit = SetFormat(CF_TEXT, ansi.c_str(), ansi.size() + 1);
  return unicode && eightBit;
}

}  // namespace halvane
