#include "platform/linux/program_file.h"

#include <unistd.h>

#include <cerrno>

#include "platform/linux/program_path.h"

namespace halvane {

std::string OwnProgramFilePath() {
  std::string target(4096, '\0');
  const ssize_t length = ::readlink("/proc/self/exe", target.data(), target.size());
  if (length <= 0 || static_cast<std::size_t>(length) >= target.size())
    return {};
  target.resize(static_cast<std::size_t>(length));
  return std::string(WithoutDeletedSuffix(target));
}

int ReplaceProcessWith(const std::string& path, const std::vector<std::string>& args) {
  std::vector<char*> argv;
  argv.reserve(args.size() + 1);
  for (const std::string& arg : args)
    argv.push_back(const_cast<char*>(arg.c_str()));
  argv.push_back(nullptr);
  ::execv(path.c_str(), argv.data());
  return errno;
}

}  // namespace halvane
