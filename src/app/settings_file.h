#pragma once
#include <stdexcept>
#include <string>

namespace halvane {

inline constexpr const char* kSettingsFileName = "Netrova.ini";
inline constexpr const char* kSettingsSection = "Set";
// Below the user's configuration directory, for a program whose own directory is read-only.
inline constexpr const char* kUserSettingsFolder = "halvane";

// The settings file could not be written.
class SettingsWriteError : public std::runtime_error {
 public:
  explicit SettingsWriteError(const std::string& fileName)
      : std::runtime_error("Unable to write to " + fileName) {}
};

// The key of the option with this check box tag (1 to 4), or null for any other tag.
const char* SettingKeyForTag(int tag);

// `exeDir` + "Netrova.ini" when `exeDir` (with its trailing separator) is a writable directory
// or the file already exists there; otherwise "Netrova.ini" in the "halvane" folder of
// `userConfigDir`.
std::string ChooseSettingsFile(const std::string& exeDir, const std::string& userConfigDir);

// Whether a file can be created in `directory`: tried with a probe file that is removed again.
bool DirectoryIsWritable(const std::string& directory);

}  // namespace halvane
