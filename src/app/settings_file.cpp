#include "app/settings_file.h"

#include <array>
#include <filesystem>
#include <fstream>
#include <system_error>

#include "app/ini_file.h"

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
  const fs::path folder = PathFromUtf8(directory);
  if (directory.empty() || !fs::is_directory(folder, error))
    return false;
  const fs::path probe = folder / kProbeName;
  // A file that is there already is neither opened, and so never truncated, nor removed.
  if (fs::exists(probe, error) || error)
    return false;
  if (!std::ofstream(probe, std::ios::binary).is_open())
    return false;
  fs::remove(probe, error);
  return true;
}

std::string ChooseSettingsFile(const std::string& exeDir, const std::string& userConfigDir) {
  const std::string beside = exeDir + kSettingsFileName;
  std::error_code error;
  if (!exeDir.empty() && (fs::exists(PathFromUtf8(beside), error) || DirectoryIsWritable(exeDir))) {
    return beside;
  }
  return PathToUtf8(PathFromUtf8(userConfigDir) / kUserSettingsFolder / kSettingsFileName);
}

}  // namespace halvane
