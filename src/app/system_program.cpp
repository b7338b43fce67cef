#include "app/system_program.h"

namespace halvane {

std::string AsciiUpper(std::string text) {
  for (char& c : text) {
    if (c >= 'a' && c <= 'z')
      c = static_cast<char>(c - 'a' + 'A');
  }
  return text;
}

bool IsSystemProgram(const std::string& path, const std::vector<std::string>& systemDirsUpper) {
  const std::string pathUpper = AsciiUpper(path);
  for (const std::string& dir : systemDirsUpper) {
    if (!dir.empty() && pathUpper.find(dir) != std::string::npos)
      return true;
  }
  return false;
}

}  // namespace halvane
