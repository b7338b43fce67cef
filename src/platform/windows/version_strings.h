#pragma once
#include <cstddef>
#include <span>
#include <string>

namespace halvane {

// The "\StringFileInfo" key of a version resource's first translation: its first four bytes
// b0 b1 b2 b3 (language ID, code page, both little-endian) as the hexadecimal digits of b1 b0
// b3 b2, upper case. 04 08 B0 04 gives "080404B0". Empty for a value shorter than four bytes.
std::string TranslationKey(std::span<const std::byte> translation);

// The FileDescription of the file's version resource under its first translation, or empty;
// `company` is set to its CompanyName there, or empty. Without a description the company is
// not looked up and stays empty.
std::string FileVersionStrings(const std::string& path, std::string& company);

}  // namespace halvane
