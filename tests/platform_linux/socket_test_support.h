#pragma once
// Helpers shared by the tests of the Linux connection tables: recorded fixtures, socket
// entries and a fake /proc built in a temporary directory.
#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <ostream>
#include <sstream>
#include <string>
#include <vector>

#include "fakes/fake_connection_tables.h"
#include "platform/linux/socket_entry.h"
#include "snapshot/text_forms.h"

namespace halvane {

inline void PrintTo(const SocketEntry& entry, std::ostream* out) {
  *out << "{state " << entry.linuxState << ", " << Ipv4Text(entry.localAddr) << ':'
       << entry.localPort << " -> " << Ipv4Text(entry.remoteAddr) << ':' << entry.remotePort
       << ", inode " << entry.inode << '}';
}

namespace test_support {

inline SocketEntry Entry(int linuxState, const std::string& localIp, std::uint16_t localPort,
                         const std::string& remoteIp, std::uint16_t remotePort,
                         std::uint64_t inode) {
  SocketEntry entry;
  entry.linuxState = linuxState;
  entry.localAddr = fakes::Addr(localIp);
  entry.localPort = localPort;
  entry.remoteAddr = fakes::Addr(remoteIp);
  entry.remotePort = remotePort;
  entry.inode = inode;
  return entry;
}

// A file of tests/data/platform_linux; HALVANE_TEST_DATA names tests/data when set.
inline std::filesystem::path DataFile(const std::string& name) {
  const char* root = std::getenv("HALVANE_TEST_DATA");
  const std::filesystem::path data =
      root != nullptr ? std::filesystem::path(root)
                      : std::filesystem::path(__FILE__).parent_path().parent_path() / "data";
  return data / "platform_linux" / name;
}

inline std::string ReadTextFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

// A recorded dump: one datagram a line, as hex.
inline std::vector<std::vector<std::byte>> ReadHexDatagrams(const std::filesystem::path& path) {
  std::vector<std::vector<std::byte>> datagrams;
  std::istringstream lines(ReadTextFile(path));
  std::string line;
  while (std::getline(lines, line)) {
    std::vector<std::byte>& bytes = datagrams.emplace_back();
    for (std::size_t i = 0; i + 1 < line.size(); i += 2) {
      bytes.push_back(static_cast<std::byte>(std::stoi(line.substr(i, 2), nullptr, 16)));
    }
  }
  return datagrams;
}

// A directory that is removed with everything in it at the end of the test.
class TempDir {
 public:
  TempDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "halvane-XXXXXX").string();
    if (::mkdtemp(pattern.data()) != nullptr) {
      path_ = pattern;
    }
  }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  ~TempDir() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

// A /proc look-alike: process directories with fd links and stat files, and net/ tables.
class FakeProcRoot {
 public:
  FakeProcRoot() {
    // Entries of a real /proc that are not processes.
    std::filesystem::create_directories(dir_.path() / "net");
    std::filesystem::create_directories(dir_.path() / "sys" / "fd");
    std::filesystem::create_directories(dir_.path() / "12abc" / "fd");
    std::filesystem::create_symlink("socket:[999999]", dir_.path() / "12abc" / "fd" / "3");
  }

  // A process holding one descriptor per link target, numbered from 3.
  void AddProcess(std::uint32_t pid, std::uint32_t ppid, const std::vector<std::string>& targets,
                  const std::string& comm = "server") {
    AddProcessWithoutStat(pid, targets);
    WriteFile(std::to_string(pid) + "/stat", std::to_string(pid) + " (" + comm + ") S " +
                                                 std::to_string(ppid) + " " + std::to_string(pid) +
                                                 " " + std::to_string(pid) + " 0 -1 4194560\n");
  }

  void AddProcessWithoutStat(std::uint32_t pid, const std::vector<std::string>& targets) {
    const std::filesystem::path fdDir = dir_.path() / std::to_string(pid) / "fd";
    std::filesystem::create_directories(fdDir);
    int fd = 3;
    while (std::filesystem::exists(fdDir / std::to_string(fd))) {
      ++fd;
    }
    for (const std::string& target : targets) {
      std::filesystem::create_symlink(target, fdDir / std::to_string(fd++));
    }
  }

  void WriteFile(const std::string& relativePath, const std::string& text) {
    const std::filesystem::path path = dir_.path() / relativePath;
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << text;
  }

  std::string path() const { return dir_.path().string(); }

 private:
  TempDir dir_;
};

inline std::string SocketLink(std::uint64_t inode) {
  return "socket:[" + std::to_string(inode) + "]";
}

}  // namespace test_support
}  // namespace halvane
