#include "platform/linux/copyright_holder.h"

#include <vector>

#include "platform/linux/deb822.h"

namespace halvane {

namespace {

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

char Lower(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c;
}

bool StartsWithIgnoringCase(std::string_view text, std::string_view prefix) {
  if (text.size() < prefix.size()) {
    return false;
  }
  for (std::size_t i = 0; i < prefix.size(); ++i) {
    if (Lower(text[i]) != prefix[i]) {
      return false;
    }
  }
  return true;
}

// Separators and punctuation that may stand between the years and the name.
bool IsLeadingNoise(char c) {
  return c == ' ' || c == '\t' || c == ',' || c == ';' || c == ':' || c == '-' || c == '.' ||
         c == '&' || c == '+' || c == '/';
}

// Takes one leading decoration ("Copyright", "(C)", "©", a year, a year range, a separator)
// off the text; false when there is none.
bool DropOneDecoration(std::string_view& text) {
  static constexpr std::string_view kWords[] = {"copyright", "(c)", "\xC2\xA9", "by "};
  if (text.empty()) {
    return false;
  }
  if (IsLeadingNoise(text.front())) {
    text.remove_prefix(1);
    return true;
  }
  for (const std::string_view word : kWords) {
    if (StartsWithIgnoringCase(text, word)) {
      text.remove_prefix(word.size());
      return true;
    }
  }
  if (IsDigit(text.front())) {
    std::size_t digits = 0;
    while (digits < text.size() && IsDigit(text[digits])) {
      ++digits;
    }
    // A number that runs into letters ("3Com") is part of the name.
    if (digits < text.size() && !IsLeadingNoise(text[digits])) {
      return false;
    }
    text.remove_prefix(digits);
    return true;
  }
  return false;
}

// "Jo Doe <jo@x.org>" gives "Jo Doe"; the address and whatever follows it are dropped.
std::string_view WithoutAddress(std::string_view text) {
  const std::size_t open = text.find('<');
  if (open != std::string_view::npos) {
    text = text.substr(0, open);
  }
  return text;
}

// "Jo Doe, 2011 Ann Roe" names two holders on one line; the first ends before the next year.
std::string_view FirstOfSeveral(std::string_view text) {
  for (std::size_t comma = text.find(','); comma != std::string_view::npos;
       comma = text.find(',', comma + 1)) {
    std::size_t next = comma + 1;
    while (next < text.size() && text[next] == ' ') {
      ++next;
    }
    if (next < text.size() && IsDigit(text[next])) {
      return text.substr(0, comma);
    }
  }
  return text;
}

// "Jo Doe. All rights reserved." says nothing more about the holder than "Jo Doe.".
std::string_view WithoutRightsReserved(std::string_view text) {
  static constexpr std::string_view kReserved = "all rights reserved";
  std::string_view body = TrimBlanks(text);
  if (body.ends_with('.')) {
    body.remove_suffix(1);
  }
  if (body.size() < kReserved.size()) {
    return text;
  }
  const std::string_view tail = body.substr(body.size() - kReserved.size());
  if (!StartsWithIgnoringCase(tail, kReserved)) {
    return text;
  }
  return body.substr(0, body.size() - kReserved.size());
}

std::string_view WithoutTrailingSeparators(std::string_view text) {
  text = TrimBlanks(text);
  while (!text.empty() && (text.back() == ',' || text.back() == ';' || text.back() == ':')) {
    text.remove_suffix(1);
    text = TrimBlanks(text);
  }
  return text;
}

bool IsMachineReadable(const std::vector<Deb822Paragraph>& paragraphs) {
  return !paragraphs.empty() && paragraphs.front().Has("Format");
}

// Whether a Files field covers every file: it names the pattern "*" alone.
bool CoversAllFiles(std::string_view files) {
  std::size_t start = 0;
  while (start < files.size()) {
    std::size_t end = files.find_first_of(" \t\n", start);
    if (end == std::string_view::npos) {
      end = files.size();
    }
    if (files.substr(start, end - start) == "*") {
      return true;
    }
    start = end + 1;
  }
  return false;
}

}  // namespace

std::string HolderName(std::string_view holder_line) {
  std::string_view text = TrimBlanks(holder_line);
  while (DropOneDecoration(text)) {
  }
  return std::string(
      WithoutTrailingSeparators(WithoutRightsReserved(FirstOfSeveral(WithoutAddress(text)))));
}

std::string FirstCopyrightHolder(std::string_view copyright_file) {
  const std::vector<Deb822Paragraph> paragraphs = ParseDeb822(copyright_file);
  if (!IsMachineReadable(paragraphs)) {
    return {};
  }
  for (const Deb822Paragraph& paragraph : paragraphs) {
    if (!CoversAllFiles(paragraph.Field("Files"))) {
      continue;
    }
    std::string_view holders = paragraph.Field("Copyright");
    while (!holders.empty()) {
      const std::size_t end = holders.find('\n');
      std::string name = HolderName(holders.substr(0, end));
      if (!name.empty()) {
        return name;
      }
      if (end == std::string_view::npos) {
        break;
      }
      holders.remove_prefix(end + 1);
    }
    return {};
  }
  return {};
}

}  // namespace halvane
