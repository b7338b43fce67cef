#pragma once
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace halvane {

// File access for the identity lookups. Every path handed in is a system path ("/usr/bin/x")
// that is read under a root directory, so a recorded file tree can stand in for the system.
// Nothing here throws: a file that cannot be read reads as empty.

// Joins a system path onto the root: ("/tmp/r", "/usr/bin/x") gives "/tmp/r/usr/bin/x".
std::filesystem::path UnderRoot(const std::filesystem::path& root, std::string_view system_path);

// The whole content of a file, at most `limit` bytes; empty when it cannot be read.
// Works for /proc files, whose reported size is 0.
std::string ReadFileBytes(const std::filesystem::path& file, std::size_t limit = 32u << 20);

// The target of a symbolic link as stored; empty when the file is no link or cannot be read.
std::string ReadLinkTarget(const std::filesystem::path& link);

// True when something (file, directory, link target) exists at the path.
bool PathExists(const std::filesystem::path& file);

// Follows the symbolic links of a system path the way the system under `root` sees them:
// absolute link targets start again at the root. Parts that do not exist are kept as written.
// Gives an absolute, normal system path, or empty for a link loop.
std::string ResolveInRoot(const std::filesystem::path& root, std::string_view system_path);

// What changes when a file or directory is rewritten, replaced, created or removed.
struct FileStamp {
  bool exists = false;
  std::int64_t mtime_ns = 0;
  std::uint64_t size = 0;
  std::uint64_t inode = 0;
  bool operator==(const FileStamp&) const = default;
};
FileStamp StampOf(const std::filesystem::path& file);

}  // namespace halvane
