#pragma once
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace halvane {

// A path held as UTF-8 text and the path the file system takes, both ways. The narrow form of a
// path is not UTF-8 on every system (on Windows it is the ANSI code page), so every file name the
// program holds goes through these.
std::filesystem::path PathFromUtf8(std::string_view utf8);
std::string PathToUtf8(const std::filesystem::path& path);

// Text-level work on the bytes of an INI file. Section and key names match without regard to
// ASCII case, values are trimmed of blanks; the first section and the first key of a name win.

// The value of `key` in `section`, or nothing when either is missing.
std::optional<std::string> IniReadValue(std::string_view text, std::string_view section,
                                        std::string_view key);

// `text` with `key` in `section` set to `value`: a present key gets the new value in place, a new
// key goes after the last non-blank line of its section, a new section at the end of the text.
// Every other line stays byte for byte; new lines take the line end the text already uses.
std::string IniWithValue(std::string_view text, std::string_view section, std::string_view key,
                         std::string_view value);

// One INI file on disk, opened by name: each call reads or writes the whole file.
class IniFile {
 public:
  explicit IniFile(std::string path) : path_(std::move(path)) {}

  // Nothing when the file, the section or the key is missing, or the file cannot be read.
  std::optional<std::string> ReadString(std::string_view section, std::string_view key) const;

  // Writes a temporary file beside the file and renames it over the file, creating the folder
  // first when it is missing. False when any of that fails; the old file then stays as it was.
  bool WriteString(std::string_view section, std::string_view key, std::string_view value) const;

  const std::string& Path() const { return path_; }
  // The file written before the rename: beside the file, its name with ".tmp" appended.
  std::string TemporaryPath() const { return path_ + ".tmp"; }

 private:
  std::string path_;
};

}  // namespace halvane
