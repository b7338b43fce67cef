#include "platform/linux/appstream.h"

#include <algorithm>
#include <cstdint>
#include <utility>

namespace halvane {

namespace {

struct Tag {
  std::string_view name;
  std::string_view attributes;
  bool closing = false;
  bool self_closing = false;
  std::size_t end = 0;  // index just past '>'
};

bool IsSpace(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// Reads the tag that starts at `open` ('<'); false for comments, declarations and a tag
// without its '>'. `end` is set to where the scan goes on.
bool ReadTag(std::string_view xml, std::size_t open, Tag& tag) {
  const std::string_view rest = xml.substr(open);
  if (rest.starts_with("<!--")) {
    const std::size_t close = xml.find("-->", open + 4);
    tag.end = close == std::string_view::npos ? xml.size() : close + 3;
    return false;
  }
  const std::size_t close = xml.find('>', open);
  tag.end = close == std::string_view::npos ? xml.size() : close + 1;
  if (close == std::string_view::npos || rest.starts_with("<!") || rest.starts_with("<?")) {
    return false;
  }
  std::string_view inner = xml.substr(open + 1, close - open - 1);
  tag.closing = inner.starts_with('/');
  if (tag.closing) {
    inner.remove_prefix(1);
  }
  tag.self_closing = inner.ends_with('/');
  if (tag.self_closing) {
    inner.remove_suffix(1);
  }
  std::size_t name_end = 0;
  while (name_end < inner.size() && !IsSpace(inner[name_end])) {
    ++name_end;
  }
  tag.name = inner.substr(0, name_end);
  tag.attributes = inner.substr(name_end);
  return true;
}

bool IsTranslated(const Tag& tag) {
  return tag.attributes.find("xml:lang") != std::string_view::npos;
}

void AppendUtf8(std::string& out, std::uint32_t code) {
  if (code < 0x80) {
    out += static_cast<char>(code);
  } else if (code < 0x800) {
    out += static_cast<char>(0xC0 | (code >> 6));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else if (code < 0x10000) {
    out += static_cast<char>(0xE0 | (code >> 12));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (code >> 18));
    out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  }
}

// The code point of "#65" or "#x41"; false when it is not a valid one.
bool NumericReference(std::string_view body, std::uint32_t& code) {
  if (body.size() < 2 || body.front() != '#') {
    return false;
  }
  const bool hex = body[1] == 'x' || body[1] == 'X';
  const std::string_view digits = body.substr(hex ? 2 : 1);
  if (digits.empty() || digits.size() > 8) {
    return false;
  }
  code = 0;
  for (const char c : digits) {
    int value = -1;
    if (c >= '0' && c <= '9') {
      value = c - '0';
    }
    if (hex && c >= 'a' && c <= 'f') {
      value = c - 'a' + 10;
    }
    if (hex && c >= 'A' && c <= 'F') {
      value = c - 'A' + 10;
    }
    if (value < 0) {
      return false;
    }
    code = code * (hex ? 16 : 10) + static_cast<std::uint32_t>(value);
  }
  return code > 0 && code <= 0x10FFFF && (code < 0xD800 || code > 0xDFFF);
}

bool NamedReference(std::string_view body, std::string& out) {
  static constexpr std::pair<std::string_view, char> kNamed[] = {
      {"amp", '&'}, {"lt", '<'}, {"gt", '>'}, {"quot", '"'}, {"apos", '\''}};
  for (const auto& [name, character] : kNamed) {
    if (body == name) {
      out += character;
      return true;
    }
  }
  return false;
}

// Collapses white space to single spaces and trims the ends.
std::string CollapseSpaces(std::string_view text) {
  std::string out;
  bool pending_space = false;
  for (const char c : text) {
    if (IsSpace(c)) {
      pending_space = !out.empty();
      continue;
    }
    if (pending_space) {
      out += ' ';
    }
    pending_space = false;
    out += c;
  }
  return out;
}

// The text from `from` to the next tag, decoded.
std::string TextUntilNextTag(std::string_view xml, std::size_t from) {
  const std::size_t next = xml.find('<', from);
  return CollapseSpaces(DecodeXmlText(
      xml.substr(from, next == std::string_view::npos ? std::string_view::npos : next - from)));
}

}  // namespace

std::string DecodeXmlText(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  std::size_t i = 0;
  while (i < text.size()) {
    const std::size_t semicolon = text[i] == '&' ? text.find(';', i) : std::string_view::npos;
    if (semicolon != std::string_view::npos && semicolon - i <= 10) {
      const std::string_view body = text.substr(i + 1, semicolon - i - 1);
      std::uint32_t code = 0;
      if (NumericReference(body, code)) {
        AppendUtf8(out, code);
        i = semicolon + 1;
        continue;
      }
      if (NamedReference(body, out)) {
        i = semicolon + 1;
        continue;
      }
    }
    out += text[i++];
  }
  return out;
}

std::string AppStreamDeveloperName(std::string_view metainfo_xml) {
  std::string developer_name;
  int developer_depth = 0;
  std::size_t open = metainfo_xml.find('<');
  while (open != std::string_view::npos) {
    Tag tag;
    const bool is_element = ReadTag(metainfo_xml, open, tag);
    if (is_element && tag.name == "developer" && !tag.self_closing) {
      developer_depth = tag.closing ? std::max(developer_depth - 1, 0) : developer_depth + 1;
    } else if (is_element && !tag.closing && !tag.self_closing && !IsTranslated(tag)) {
      if (developer_depth > 0 && tag.name == "name") {
        std::string name = TextUntilNextTag(metainfo_xml, tag.end);
        if (!name.empty()) {
          return name;
        }
      } else if (tag.name == "developer_name" && developer_name.empty()) {
        developer_name = TextUntilNextTag(metainfo_xml, tag.end);
      }
    }
    open = metainfo_xml.find('<', tag.end);
  }
  return developer_name;
}

}  // namespace halvane
