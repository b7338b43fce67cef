#include "platform/linux/root_files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <deque>

namespace halvane {

namespace {

constexpr int kMaxLinkHops = 40;

// Splits "/a//b/c" into a, b, c.
std::deque<std::string> PathComponents(std::string_view path) {
  std::deque<std::string> parts;
  std::size_t start = 0;
  while (start <= path.size()) {
    std::size_t end = path.find('/', start);
    if (end == std::string_view::npos) {
      end = path.size();
    }
    if (end > start) {
      parts.emplace_back(path.substr(start, end - start));
    }
    start = end + 1;
  }
  return parts;
}

void DropLastComponent(std::string& path) {
  const std::size_t slash = path.rfind('/');
  path.erase(slash == 0 || slash == std::string::npos ? 1 : slash);
}

void AppendComponent(std::string& path, std::string_view part) {
  if (path.back() != '/') {
    path += '/';
  }
  path += part;
}

}  // namespace

std::filesystem::path UnderRoot(const std::filesystem::path& root, std::string_view system_path) {
  while (!system_path.empty() && system_path.front() == '/') {
    system_path.remove_prefix(1);
  }
  return root / std::filesystem::path(system_path);
}

std::string ReadFileBytes(const std::filesystem::path& file, std::size_t limit) {
  std::string bytes;
  const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY);
  if (fd < 0) {
    return bytes;
  }
  char buffer[65536];
  while (bytes.size() < limit) {
    const ssize_t got = ::read(fd, buffer, sizeof buffer);
    if (got <= 0) {
      break;
    }
    bytes.append(buffer, static_cast<std::size_t>(got));
  }
  ::close(fd);
  if (bytes.size() > limit) {
    bytes.resize(limit);
  }
  return bytes;
}

std::string ReadLinkTarget(const std::filesystem::path& link) {
  std::string target(256, '\0');
  for (;;) {
    const ssize_t got = ::readlink(link.c_str(), target.data(), target.size());
    if (got < 0) {
      return {};
    }
    if (static_cast<std::size_t>(got) < target.size()) {
      target.resize(static_cast<std::size_t>(got));
      return target;
    }
    if (target.size() >= (1u << 20)) {
      return {};
    }
    target.resize(target.size() * 2);
  }
}

bool PathExists(const std::filesystem::path& file) {
  struct stat info {};
  return ::stat(file.c_str(), &info) == 0;
}

std::string ResolveInRoot(const std::filesystem::path& root, std::string_view system_path) {
  std::deque<std::string> pending = PathComponents(system_path);
  std::string resolved = "/";
  int hops = 0;
  while (!pending.empty()) {
    const std::string part = std::move(pending.front());
    pending.pop_front();
    if (part == ".") {
      continue;
    }
    if (part == "..") {
      DropLastComponent(resolved);
      continue;
    }
    std::string candidate = resolved;
    AppendComponent(candidate, part);
    const std::string target = ReadLinkTarget(UnderRoot(root, candidate));
    if (target.empty()) {
      resolved = std::move(candidate);
      continue;
    }
    if (++hops > kMaxLinkHops) {
      return {};
    }
    if (target.front() == '/') {
      resolved.erase(1);  // an absolute target starts again at the root
    }
    std::deque<std::string> target_parts = PathComponents(target);
    pending.insert(pending.begin(), target_parts.begin(), target_parts.end());
  }
  return resolved;
}

FileStamp StampOf(const std::filesystem::path& file) {
  struct stat info {};
  if (::stat(file.c_str(), &info) != 0) {
    return {};
  }
  FileStamp stamp;
  stamp.exists = true;
  stamp.mtime_ns =
      static_cast<std::int64_t>(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec;
  stamp.size = static_cast<std::uint64_t>(info.st_size);
  stamp.inode = static_cast<std::uint64_t>(info.st_ino);
  return stamp;
}

}  // namespace halvane
