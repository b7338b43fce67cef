#include "app/settings_file.h"

#include <array>
#include <cstdio>
#include <filesystem>
#include <system_error>

namespace halvane {
namespace {

namespace fs = std::filesystem;

constexpr std::array<const char*, 4> kKeysByTag = {"ShowLocal", "AutoRefresh", "AlwaysTop",
                                                   "ShowInfo"};
constexpr const char* kProbeName = ".Netrova.ini.probe";

}  // namespace

const char* SettingKeyForTag(int tag) {
  if (tag < 1 || tag > static_cast<int>(kKeysByTag.size()))
    return nullptr;
  return kKeysByTag[static_cast<std::size_t>(tag - 1)];
}

bool DirectoryIsWritable(const std::string& directory) {
  std::error_code error;
  if (directory.empty() || !fs::is_directory(directory, error))
    return false;
  const std::string probe = (fs::path(directory) / kProbeName).string();
  // "x": never opens, and so never truncates, a file that is there already.
  std::FILE* file = std::fopen(probe.c_str(), "wx");
  if (file == nullptr)
    return false;
  std::fclose(file);
  fs::remove(probe, error);
  return true;
}

std::string ChooseSettingsFile(const std::string& exeDir, const std::string& userConfigDir) {
  const std::string beside = exeDir + kSettingsFileName;
  std::error_code error;
  if (!exeDir.empty() && (fs::exists(beside, error) || DirectoryIsWritable(exeDir))) {
    return beside;
  }
  return (fs::path(userConfigDir) / kUserSettingsFolder / kSettingsFileName).string();
}

}  // namespace halvane
