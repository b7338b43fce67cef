#include "platform/linux/program_path.h"

#include "platform/linux/root_files.h"

namespace halvane {

namespace {
constexpr std::string_view kDeletedSuffix = " (deleted)";
}  // namespace

std::string_view WithoutDeletedSuffix(std::string_view exe_target) {
  if (exe_target.ends_with(kDeletedSuffix)) {
    exe_target.remove_suffix(kDeletedSuffix.size());
  }
  return exe_target;
}

std::string ReadProgramPath(const std::filesystem::path& root, std::uint32_t pid) {
  if (pid == 0) {
    return {};
  }
  const std::string target =
      ReadLinkTarget(UnderRoot(root, "/proc/" + std::to_string(pid) + "/exe"));
  return std::string(WithoutDeletedSuffix(target));
}

}  // namespace halvane
