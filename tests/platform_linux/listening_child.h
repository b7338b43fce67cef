#pragma once
// A child process of the test that holds a listening socket on 127.0.0.1.
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdint>

namespace halvane::test_support {

// A child of the test that listens on 127.0.0.1 and waits to be ended. It runs this test
// program, so its program file is ours.
class ListeningChild {
 public:
  ListeningChild() {
    int report[2];
    if (::pipe(report) != 0)
      return;
    pid_ = ::fork();
    if (pid_ == 0) {
      ::close(report[0]);
      RunChild(report[1]);
    }
    ::close(report[1]);
    std::uint16_t port = 0;
    if (pid_ > 0 && ::read(report[0], &port, sizeof port) == sizeof port)
      port_ = port;
    ::close(report[0]);
  }

  ~ListeningChild() {
    if (pid_ > 0 && !reaped_) {
      ::kill(pid_, SIGKILL);
      Reap();
    }
  }
  ListeningChild(const ListeningChild&) = delete;
  ListeningChild& operator=(const ListeningChild&) = delete;

  std::uint32_t pid() const { return static_cast<std::uint32_t>(pid_); }
  std::uint16_t port() const { return port_; }

  // True when the child has ended (it stays a zombie until reaped).
  bool HasEnded() const {
    siginfo_t info{};
    return ::waitid(P_PID, static_cast<id_t>(pid_), &info, WEXITED | WNOHANG | WNOWAIT) == 0 &&
           info.si_pid == pid_;
  }

  // Waits for the end; the signal that ended the child, or 0.
  int Reap() {
    int status = 0;
    if (::waitpid(pid_, &status, 0) != pid_)
      return 0;
    reaped_ = true;
    return WIFSIGNALED(status) ? WTERMSIG(status) : 0;
  }

 private:
  [[noreturn]] static void RunChild(int reportFd) {
    const int listener = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    std::uint16_t port = 0;
    if (listener >= 0 &&
        ::bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
        ::listen(listener, 1) == 0 &&
        ::getsockname(listener, reinterpret_cast<sockaddr*>(&address), &length) == 0)
      port = ntohs(address.sin_port);
    if (::write(reportFd, &port, sizeof port) != sizeof port)
      ::_exit(1);
    ::close(reportFd);
    for (;;)
      ::pause();
  }

  pid_t pid_ = -1;
  std::uint16_t port_ = 0;
  bool reaped_ = false;
};

}  // namespace halvane::test_support
