#pragma once
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace halvane {

// One paragraph of a Debian control-style file (the dpkg status file, a machine-readable
// copyright file): its fields in file order. A field's continuation lines are joined to its
// value with '\n', each without its leading space; a lone "." line stands for an empty line.
struct Deb822Paragraph {
  std::vector<std::pair<std::string, std::string>> fields;
  // The value of the field, its name compared without regard to case; empty when absent.
  std::string_view Field(std::string_view name) const;
  bool Has(std::string_view name) const;
};

// Paragraphs are separated by blank lines; '#' comment lines and lines that are neither a
// field nor a continuation are skipped.
std::vector<Deb822Paragraph> ParseDeb822(std::string_view bytes);

// The first line of a field value, without surrounding blanks.
std::string_view FirstLine(std::string_view value);

// The text without leading and trailing blanks (spaces, tabs, CR, LF).
std::string_view TrimBlanks(std::string_view text);

}  // namespace halvane
