#pragma once
// Halvane.exe started for a test, and what the tests around it need: a listener of a known port
// and a copy of the program in a folder of its own.
#include <cstdint>
#include <random>

#include "desktop_process.h"

namespace halvane::testing_win32 {

inline constexpr const wchar_t* kMainClass = L"TFormNetrova";
inline constexpr const wchar_t* kMainCaption = L"Halvane V2.5(网络连接查看器)";
inline constexpr const wchar_t* kBoxClass = L"#32770";  // message boxes
inline constexpr const wchar_t* kBoxCaption = L"Halvane";
inline constexpr int kLocalPortPosition = 3;  // 进程, 协议, 本地IP, 本地端口, ...

// The main window of the started program once it has appeared, or null when none appeared in
// time.
inline HWND WaitForMainWindow(DWORD processId) {
  HWND window = nullptr;
  WaitUntil([&] {
    window = FindProcessWindow(processId, kMainClass, kMainCaption);
    return window != nullptr;
  });
  return window;
}

// A listening socket on the loopback address, so that the list has a row of a known port.
class LoopbackListener {
 public:
  LoopbackListener() {
    WSADATA data{};
    started_ = WSAStartup(MAKEWORD(2, 2), &data) == 0;
    socket_ = ::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    bind(socket_, reinterpret_cast<sockaddr*>(&address), sizeof(address));
    listen(socket_, 1);
    int length = sizeof(address);
    getsockname(socket_, reinterpret_cast<sockaddr*>(&address), &length);
    port_ = ntohs(address.sin_port);
  }
  ~LoopbackListener() {
    closesocket(socket_);
    if (started_)
      WSACleanup();
  }
  LoopbackListener(const LoopbackListener&) = delete;
  LoopbackListener& operator=(const LoopbackListener&) = delete;
  std::uint16_t Port() const { return port_; }

 private:
  bool started_ = false;
  SOCKET socket_ = INVALID_SOCKET;
  std::uint16_t port_ = 0;
};

// Halvane.exe and its help copied into a folder of their own, so that the settings file it may
// write stays there.
class InstalledCopy {
 public:
  InstalledCopy() {
    std::random_device random;
    folder_ = fs::temp_directory_path() / (L"halvane-window-test-" + std::to_wstring(random()));
    fs::create_directories(folder_);
    for (const wchar_t* name : {L"Halvane.exe", L"NetrovaHelp.chm", L"NetrovaHelp.html"}) {
      std::error_code error;
      fs::copy_file(OwnDirectory() / name, folder_ / name, error);
    }
  }
  ~InstalledCopy() {
    std::error_code error;
    fs::remove_all(folder_, error);
  }
  InstalledCopy(const InstalledCopy&) = delete;
  InstalledCopy& operator=(const InstalledCopy&) = delete;
  fs::path Program() const { return folder_ / L"Halvane.exe"; }
  fs::path Settings() const { return folder_ / L"Netrova.ini"; }

 private:
  fs::path folder_;
};

// The row of the list whose local port is `port`, or -1.
inline int RowOfLocalPort(HANDLE process, HWND list, std::uint16_t port) {
  const int rows = static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
  for (int row = 0; row < rows; ++row) {
    if (ListViewCellText(process, list, row, kLocalPortPosition) == std::to_wstring(port))
      return row;
  }
  return -1;
}

// Closes the main window, answering Yes to the question before it closes; true once asked.
inline bool CloseAnsweringYes(const StartedProgram& halvane, HWND window) {
  PostMessageW(window, WM_CLOSE, 0, 0);
  HWND question = nullptr;
  if (!WaitUntil([&] {
        question = FindProcessWindow(halvane.Id(), kBoxClass, kBoxCaption);
        return question != nullptr;
      }))
    return false;
  PostMessageW(question, WM_COMMAND, IDYES, 0);
  return true;
}

}  // namespace halvane::testing_win32
