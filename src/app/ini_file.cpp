#include "app/ini_file.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

namespace halvane {
namespace {

namespace fs = std::filesystem;

// The whole file, or nothing when it is missing or cannot be read.
std::optional<std::string> ReadWholeFile(const fs::path& path) {
  std::error_code error;
  if (!fs::is_regular_file(path, error))
    return std::nullopt;
  std::ifstream in(path, std::ios::binary);
  if (!in)
    return std::nullopt;
  std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad())
    return std::nullopt;
  return text;
}

bool WriteWholeFile(const fs::path& path, const std::string& text) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  if (!out)
    return false;
  out.write(text.data(), static_cast<std::streamsize>(text.size()));
  out.flush();
  return static_cast<bool>(out);
}

bool EnsureFolderOf(const fs::path& file) {
  const fs::path folder = file.parent_path();
  if (folder.empty())
    return true;
  std::error_code error;
  if (fs::is_directory(folder, error))
    return true;
  fs::create_directories(folder, error);
  return !error && fs::is_directory(folder, error);
}

}  // namespace

fs::path PathFromUtf8(std::string_view utf8) {
  return fs::path(std::u8string(utf8.begin(), utf8.end()));
}

std::string PathToUtf8(const fs::path& path) {
  const std::u8string text = path.u8string();
  return std::string(text.begin(), text.end());
}

std::optional<std::string> IniFile::ReadString(std::string_view section,
                                               std::string_view key) const {
  const auto text = ReadWholeFile(PathFromUtf8(path_));
  if (!text)
    return std::nullopt;
  return IniReadValue(*text, section, key);
}

bool IniFile::WriteString(std::string_view section, std::string_view key,
                          std::string_view value) const {
  const fs::path target = PathFromUtf8(path_);
  if (!EnsureFolderOf(target))
    return false;
  const std::string updated = IniWithValue(ReadWholeFile(target).value_or(""), section, key, value);

  const fs::path temporary = PathFromUtf8(TemporaryPath());
  std::error_code error;
  if (!WriteWholeFile(temporary, updated)) {
    fs::remove(temporary, error);
    return false;
  }
  // The new file keeps the permissions of the one it replaces.
  const fs::file_status old = fs::status(target, error);
  if (!error && fs::is_regular_file(old)) {
    fs::permissions(temporary, old.permissions(), error);
  }
  fs::rename(temporary, target, error);
  if (error) {
    std::error_code ignored;
    fs::remove(temporary, ignored);
    return false;
  }
  return true;
}

}  // namespace halvane
