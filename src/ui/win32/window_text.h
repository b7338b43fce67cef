#pragma once
#include <windows.h>

#include <string>

namespace halvane {

// The text of a window or control (its caption, a label's text), whole.
inline std::wstring WindowText(HWND window) {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
  GetWindowTextW(window, text.data(), static_cast<int>(text.size()));
  text.resize(text.size() - 1);
  return text;
}

}  // namespace halvane
