#include "platform/linux/deb822.h"

namespace halvane {

namespace {

bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) {
    return false;
  }
  for (std::size_t i = 0; i < a.size(); ++i) {
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
    if (lower(a[i]) != lower(b[i])) {
      return false;
    }
  }
  return true;
}

// Splits the bytes into lines without their terminators; feeds them to `take`.
template <typename Take>
void ForEachLine(std::string_view bytes, Take take) {
  std::size_t start = 0;
  while (start < bytes.size()) {
    std::size_t end = bytes.find('\n', start);
    if (end == std::string_view::npos) {
      end = bytes.size();
    }
    std::string_view line = bytes.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') {
      line.remove_suffix(1);
    }
    take(line);
    start = end + 1;
  }
}

void AppendContinuation(std::string& value, std::string_view line) {
  std::string_view text = TrimBlanks(line);
  if (text == ".") {
    text = {};
  }
  if (!value.empty()) {
    value += '\n';
  }
  value += text;
}

}  // namespace

std::string_view TrimBlanks(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) {
    text.remove_prefix(1);
  }
  while (!text.empty() && IsBlank(text.back())) {
    text.remove_suffix(1);
  }
  return text;
}

std::string_view FirstLine(std::string_view value) {
  return TrimBlanks(value.substr(0, value.find('\n')));
}

std::string_view Deb822Paragraph::Field(std::string_view name) const {
  for (const auto& [field, value] : fields) {
    if (EqualsIgnoringCase(field, name)) {
      return value;
    }
  }
  return {};
}

bool Deb822Paragraph::Has(std::string_view name) const {
  for (const auto& field : fields) {
    if (EqualsIgnoringCase(field.first, name)) {
      return true;
    }
  }
  return false;
}

std::vector<Deb822Paragraph> ParseDeb822(std::string_view bytes) {
  std::vector<Deb822Paragraph> paragraphs;
  bool in_paragraph = false;
  ForEachLine(bytes, [&](std::string_view line) {
    if (TrimBlanks(line).empty()) {
      in_paragraph = false;
      return;
    }
    if (line.front() == '#') {
      return;
    }
    if (line.front() == ' ' || line.front() == '\t') {
      if (in_paragraph && !paragraphs.back().fields.empty()) {
        AppendContinuation(paragraphs.back().fields.back().second, line);
      }
      return;
    }
    const std::size_t colon = line.find(':');
    if (colon == std::string_view::npos || colon == 0) {
      return;
    }
    if (!in_paragraph) {
      paragraphs.emplace_back();
      in_paragraph = true;
    }
    paragraphs.back().fields.emplace_back(std::string(TrimBlanks(line.substr(0, colon))),
                                          std::string(TrimBlanks(line.substr(colon + 1))));
  });
  return paragraphs;
}

}  // namespace halvane
