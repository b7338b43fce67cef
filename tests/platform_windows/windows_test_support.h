#pragma once
// clang-format off
#include <winsock2.h>
#include <windows.h>
// clang-format on

#include <filesystem>
#include <random>
#include <string>

#include "platform/windows/wide_text.h"

namespace halvane::testing_windows {

namespace fs = std::filesystem;

// Wine answers some table questions differently from Windows; the tests that depend on it say
// so when they skip an assertion.
inline bool RunningUnderWine() {
  const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
  return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

// The full path of this test program.
inline std::string OwnProgramPath() {
  wchar_t path[MAX_PATH * 4] = {};
  const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH * 4);
  return WideToUtf8(std::wstring_view(path, length));
}

inline fs::path OwnProgramDirectory() {
  return fs::path(Utf8ToWide(OwnProgramPath())).parent_path();
}

inline std::string Utf8Path(const fs::path& path) {
  return WideToUtf8(path.wstring());
}

// A folder of its own below the temporary directory (with `leaf` below it, when given), removed
// with the object.
class TemporaryFolder {
 public:
  explicit TemporaryFolder(const std::wstring& leaf = L"") {
    std::random_device random;
    base_ = fs::temp_directory_path() / (L"halvane-win-test-" + std::to_wstring(random()));
    path_ = leaf.empty() ? base_ : base_ / leaf;
    fs::create_directories(path_);
  }
  ~TemporaryFolder() {
    std::error_code error;
    fs::remove_all(base_, error);
  }
  TemporaryFolder(const TemporaryFolder&) = delete;
  TemporaryFolder& operator=(const TemporaryFolder&) = delete;

  const fs::path& Path() const { return path_; }

 private:
  fs::path base_;
  fs::path path_;
};

// Winsock for the duration of a test.
class WinsockSession {
 public:
  WinsockSession() { started_ = WSAStartup(MAKEWORD(2, 2), &data_) == 0; }
  ~WinsockSession() {
    if (started_)
      WSACleanup();
  }
  WinsockSession(const WinsockSession&) = delete;
  WinsockSession& operator=(const WinsockSession&) = delete;
  bool Started() const { return started_; }

 private:
  WSADATA data_{};
  bool started_ = false;
};

}  // namespace halvane::testing_windows
