#include <vector>

#include "app/ini_file.h"

namespace halvane {
namespace {

struct IniLine {
  std::string_view content;  // without the line end
  std::string_view ending;   // "\n", "\r\n" or empty for a last line without one
};

constexpr std::string_view kBlanks = " \t";
constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

std::vector<IniLine> SplitLines(std::string_view text) {
  std::vector<IniLine> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t newline = text.find('\n', start);
    if (newline == std::string_view::npos) {
      lines.push_back({text.substr(start), {}});
      break;
    }
    std::size_t contentEnd = newline;
    if (contentEnd > start && text[contentEnd - 1] == '\r')
      --contentEnd;
    lines.push_back({text.substr(start, contentEnd - start),
                     text.substr(contentEnd, newline + 1 - contentEnd)});
    start = newline + 1;
  }
  return lines;
}

std::string_view Trimmed(std::string_view text) {
  const std::size_t first = text.find_first_not_of(kBlanks);
  if (first == std::string_view::npos)
    return {};
  const std::size_t last = text.find_last_not_of(kBlanks);
  return text.substr(first, last + 1 - first);
}

char AsciiLower(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool SameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size())
    return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (AsciiLower(a[i]) != AsciiLower(b[i]))
      return false;
  }
  return true;
}

// The name of a section header line ("[Name]"), or nothing for any other line.
std::optional<std::string_view> SectionName(std::string_view content, bool firstLine) {
  if (firstLine && content.starts_with(kUtf8Bom))
    content.remove_prefix(kUtf8Bom.size());
  const std::string_view line = Trimmed(content);
  if (!line.starts_with('['))
    return std::nullopt;
  const std::size_t close = line.find(']');
  if (close == std::string_view::npos)
    return std::nullopt;
  return Trimmed(line.substr(1, close - 1));
}

bool IsComment(std::string_view content) {
  const std::string_view line = Trimmed(content);
  return line.starts_with(';') || line.starts_with('#');
}

// Where a key line keeps its value: offset and length of the trimmed value in the content.
struct KeyLine {
  std::string_view name;
  std::size_t valueStart;
  std::size_t valueLength;
};

std::optional<KeyLine> ParseKeyLine(std::string_view content) {
  if (IsComment(content))
    return std::nullopt;
  const std::size_t equals = content.find('=');
  if (equals == std::string_view::npos)
    return std::nullopt;
  const std::string_view rawValue = content.substr(equals + 1);
  const std::string_view value = Trimmed(rawValue);
  // An empty value is written right after the "=", before any blanks that follow it.
  const std::size_t offset =
      value.empty() ? 0 : static_cast<std::size_t>(value.data() - rawValue.data());
  return KeyLine{Trimmed(content.substr(0, equals)), equals + 1 + offset, value.size()};
}

// The lines [begin, end) of the first section of that name, begin being its header line.
struct SectionRange {
  std::size_t begin;
  std::size_t end;
};

std::optional<SectionRange> FindSection(const std::vector<IniLine>& lines,
                                        std::string_view section) {
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const auto name = SectionName(lines[i].content, i == 0);
    if (!name || !SameName(*name, section))
      continue;
    std::size_t end = i + 1;
    while (end < lines.size() && !SectionName(lines[end].content, false))
      ++end;
    return SectionRange{i, end};
  }
  return std::nullopt;
}

struct FoundKey {
  std::size_t line;
  KeyLine key;
};

std::optional<FoundKey> FindKey(const std::vector<IniLine>& lines, SectionRange range,
                                std::string_view key) {
  for (std::size_t i = range.begin + 1; i < range.end; ++i) {
    const auto parsed = ParseKeyLine(lines[i].content);
    if (parsed && SameName(parsed->name, key))
      return FoundKey{i, *parsed};
  }
  return std::nullopt;
}

std::string_view LineEndOf(const std::vector<IniLine>& lines) {
  for (const IniLine& line : lines) {
    if (!line.ending.empty())
      return line.ending;
  }
  return "\n";
}

// Appends the lines [from, to) as they were; a last line without a line end gets one when more
// text follows it.
void AppendLines(std::string& out, const std::vector<IniLine>& lines, std::size_t from,
                 std::size_t to, std::string_view lineEnd, bool moreFollows) {
  for (std::size_t i = from; i < to; ++i) {
    out.append(lines[i].content);
    if (!lines[i].ending.empty()) {
      out.append(lines[i].ending);
    } else if (moreFollows || i + 1 < to) {
      out.append(lineEnd);
    }
  }
}

std::string KeyText(std::string_view key, std::string_view value, std::string_view lineEnd) {
  std::string line(key);
  line += '=';
  line += value;
  line += lineEnd;
  return line;
}

}  // namespace

std::optional<std::string> IniReadValue(std::string_view text, std::string_view section,
                                        std::string_view key) {
  const std::vector<IniLine> lines = SplitLines(text);
  const auto range = FindSection(lines, section);
  if (!range)
    return std::nullopt;
  const auto found = FindKey(lines, *range, key);
  if (!found)
    return std::nullopt;
  return std::string(
      lines[found->line].content.substr(found->key.valueStart, found->key.valueLength));
}

std::string IniWithValue(std::string_view text, std::string_view section, std::string_view key,
                         std::string_view value) {
  const std::vector<IniLine> lines = SplitLines(text);
  const std::string_view lineEnd = LineEndOf(lines);
  std::string out;
  out.reserve(text.size() + section.size() + key.size() + value.size() + 8);

  const auto range = FindSection(lines, section);
  if (!range) {
    AppendLines(out, lines, 0, lines.size(), lineEnd, true);
    out += '[';
    out += section;
    out += ']';
    out += lineEnd;
    out += KeyText(key, value, lineEnd);
    return out;
  }

  if (const auto found = FindKey(lines, *range, key)) {
    const IniLine& line = lines[found->line];
    AppendLines(out, lines, 0, found->line, lineEnd, true);
    out.append(line.content.substr(0, found->key.valueStart));
    out.append(value);
    out.append(line.content.substr(found->key.valueStart + found->key.valueLength));
    out.append(line.ending);
    AppendLines(out, lines, found->line + 1, lines.size(), lineEnd, false);
    return out;
  }

  // A new key follows the last non-blank line of its section, before the blank lines that part
  // it from the next section.
  std::size_t insertAfter = range->begin;
  for (std::size_t i = range->begin + 1; i < range->end; ++i) {
    if (!Trimmed(lines[i].content).empty())
      insertAfter = i;
  }
  AppendLines(out, lines, 0, insertAfter + 1, lineEnd, true);
  out += KeyText(key, value, lineEnd);
  AppendLines(out, lines, insertAfter + 1, lines.size(), lineEnd, false);
  return out;
}

}  // namespace halvane
