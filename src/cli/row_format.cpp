#include "cli/row_format.h"

#include <array>

#include "cli/text_width.h"
#include "connlist/my_rec_fields.h"
#include "view/columns.h"

namespace halvane {
namespace {

constexpr std::array<int, 10> kTableColumns = {1, 3, 4, 5, 6, 7, 8, 10, 11, 12};

// A name or path may hold control characters; in a table they would break the lines.
std::string TableCell(std::string text) {
  for (char& c : text)
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F)
      c = ' ';
  return text;
}

void PadTo(std::string& out, const std::string& text, std::size_t width) {
  out += text;
  for (std::size_t w = DisplayWidth(text); w < width; ++w)
    out += ' ';
}

// Length of the valid UTF-8 sequence at `i`, or 0 when the bytes there are not one.
std::size_t Utf8SequenceLength(std::string_view s, std::size_t i) {
  const unsigned char lead = static_cast<unsigned char>(s[i]);
  std::size_t length = (lead >> 5) == 0x6    ? 2
                       : (lead >> 4) == 0xE  ? 3
                       : (lead >> 3) == 0x1E ? 4
                                             : 0;
  if (length == 0 || lead == 0xC0 || lead == 0xC1 || lead > 0xF4 || i + length > s.size())
    return 0;
  for (std::size_t k = 1; k < length; ++k)
    if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80)
      return 0;
  return length;
}

}  // namespace

std::string CounterSentence(const std::string& appCount, const std::string& netCount) {
  return "当前有" + appCount + "个程序已连接或尝试连接网络，共建立" + netCount + "个连接。";
}

std::string FormatTable(const std::vector<const TMyRec*>& rows) {
  const std::string noText;
  std::array<std::size_t, kTableColumns.size()> widths{};
  for (std::size_t c = 0; c < kTableColumns.size(); ++c) {
    widths[c] = DisplayWidth(ViewColumns()[kTableColumns[c]].caption);
    for (const TMyRec* rec : rows)
      widths[c] =
          std::max(widths[c], DisplayWidth(TableCell(CellText(rec, kTableColumns[c], noText))));
  }
  std::string out;
  auto line = [&](auto cellOf) {
    std::string text;
    for (std::size_t c = 0; c < kTableColumns.size(); ++c) {
      if (c)
        text += "  ";
      PadTo(text, cellOf(kTableColumns[c]), c + 1 == kTableColumns.size() ? 0 : widths[c]);
    }
    out += text + '\n';
  };
  line([](int column) { return std::string(ViewColumns()[column].caption); });
  for (const TMyRec* rec : rows)
    line([&](int column) { return TableCell(CellText(rec, column, noText)); });
  return out;
}

std::string CsvField(std::string_view text) {
  if (text.find_first_of(",\"\r\n") == std::string_view::npos)
    return std::string(text);
  std::string quoted = "\"";
  for (char c : text) {
    if (c == '"')
      quoted += '"';
    quoted += c;
  }
  return quoted + '"';
}

std::string FormatCsv(const std::vector<const TMyRec*>& rows) {
  std::string out;
  for (std::size_t f = 0; f < kMyRecFields.size(); ++f)
    out += (f ? "," : "") + std::string(kMyRecFields[f].name);
  out += "\r\n";
  for (const TMyRec* rec : rows) {
    for (std::size_t f = 0; f < kMyRecFields.size(); ++f)
      out += (f ? "," : "") + CsvField(rec->*kMyRecFields[f].member);
    out += "\r\n";
  }
  return out;
}

// Escapes what JSON requires; bytes that are not UTF-8 (a path may hold any bytes) become U+FFFD.
std::string JsonString(std::string_view s) {
  static const char* const kHex = "0123456789abcdef";
  std::string out = "\"";
  for (std::size_t i = 0; i < s.size();) {
    const unsigned char c = static_cast<unsigned char>(s[i]);
    if (c >= 0x80) {
      const std::size_t length = Utf8SequenceLength(s, i);
      out += length ? s.substr(i, length) : "\xEF\xBF\xBD";
      i += length ? length : 1;
      continue;
    }
    if (c == '"' || c == '\\') {
      out += '\\';
      out += static_cast<char>(c);
    } else if (c == '\n') {
      out += "\\n";
    } else if (c == '\r') {
      out += "\\r";
    } else if (c == '\t') {
      out += "\\t";
    } else if (c < 0x20 || c == 0x7F) {
      out += "\\u00";
      out += kHex[c >> 4];
      out += kHex[c & 0xF];
    } else {
      out += static_cast<char>(c);
    }
    ++i;
  }
  return out + '"';
}

std::string FormatJsonLines(const std::vector<const TMyRec*>& rows) {
  std::string out;
  for (const TMyRec* rec : rows) {
    out += '{';
    for (std::size_t f = 0; f < kMyRecFields.size(); ++f) {
      if (f)
        out += ", ";
      out += JsonString(kMyRecFields[f].name) + ": " + JsonString(rec->*kMyRecFields[f].member);
    }
    out += "}\n";
  }
  return out;
}

}  // namespace halvane
