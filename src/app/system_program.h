#pragma once
#include <string>
#include <vector>

namespace halvane {

// The text with the ASCII letters a to z upper-cased, byte by byte; every other byte stays.
std::string AsciiUpper(std::string text);

// True when one of the upper-cased system directories occurs anywhere in the upper-cased path,
// also as the first part of a longer folder name. Empty directories never match.
bool IsSystemProgram(const std::string& path, const std::vector<std::string>& systemDirsUpper);

}  // namespace halvane
