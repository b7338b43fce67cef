#pragma once
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>

#include <gtest/gtest.h>

namespace halvane::identity_test {

// A file of tests/data/platform_linux/identity; HALVANE_TEST_DATA names tests/data when set.
inline std::filesystem::path IdentityDataFile(std::string_view name) {
  const char* data_root = std::getenv("HALVANE_TEST_DATA");
  const std::filesystem::path data =
      data_root != nullptr ? std::filesystem::path(data_root)
                           : std::filesystem::path(__FILE__).parent_path().parent_path() / "data";
  return data / "platform_linux" / "identity" / name;
}

inline std::string ReadWholeFile(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// A system tree in a fresh temporary directory, removed with the object. Paths are given as
// the system would name them ("/usr/bin/bash").
class FakeRoot {
 public:
  FakeRoot() {
    std::string pattern = (std::filesystem::temp_directory_path() / "halvane-root-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) {
      ADD_FAILURE() << "cannot make a temporary root";
    }
    path_ = pattern;
  }
  ~FakeRoot() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  FakeRoot(const FakeRoot&) = delete;
  FakeRoot& operator=(const FakeRoot&) = delete;

  const std::filesystem::path& path() const { return path_; }
  std::filesystem::path At(std::string_view system_path) const {
    return path_ / std::filesystem::path(system_path).relative_path();
  }

  void Write(std::string_view system_path, std::string_view content) const {
    const std::filesystem::path file = At(system_path);
    std::filesystem::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary | std::ios::trunc) << content;
  }
  void CopyData(std::string_view data_name, std::string_view system_path) const {
    Write(system_path, ReadWholeFile(IdentityDataFile(data_name)));
  }
  void Link(std::string_view system_path, std::string_view target) const {
    const std::filesystem::path link = At(system_path);
    std::filesystem::create_directories(link.parent_path());
    std::filesystem::create_symlink(target, link);
  }
  void MakeDir(std::string_view system_path) const {
    std::filesystem::create_directories(At(system_path));
  }
  void Remove(std::string_view system_path) const { std::filesystem::remove(At(system_path)); }
  // Dates a file or directory back to 2001, so that any later change shows in its time
  // however coarse the file system's clock is.
  void Age(std::string_view system_path) const {
    const timespec old_times[2] = {{1000000000, 0}, {1000000000, 0}};
    ::utimensat(AT_FDCWD, At(system_path).c_str(), old_times, AT_SYMLINK_NOFOLLOW);
  }

 private:
  std::filesystem::path path_;
};

}  // namespace halvane::identity_test
