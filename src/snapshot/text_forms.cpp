#include "snapshot/text_forms.h"

#include <charconv>

namespace halvane {
namespace {

// Room for every text below: "255.255.255.255" is the longest.
using TextBuffer = char[16];

template <typename Number>
std::string_view DecimalText(Number value, TextBuffer& digits) {
  const auto [end, error] = std::to_chars(digits, digits + sizeof digits, value);
  (void)error;  // 16 digits hold every 32-bit value
  return {digits, static_cast<std::size_t>(end - digits)};
}

std::string_view Ipv4Text(const Ipv4Bytes& addr, TextBuffer& text) {
  char* at = text;
  for (std::size_t i = 0; i < addr.size(); ++i) {
    if (i)
      *at++ = '.';
    at = std::to_chars(at, text + sizeof text, static_cast<unsigned>(addr[i])).ptr;
  }
  return {text, static_cast<std::size_t>(at - text)};
}

}  // namespace

void AssignIpv4Text(const Ipv4Bytes& addr, RecText& into) {
  TextBuffer text;
  into = Ipv4Text(addr, text);
}

void AssignPortText(std::uint16_t port, RecText& into) {
  TextBuffer text;
  into = DecimalText(static_cast<unsigned>(port), text);
}

void AssignPidText(std::uint32_t pid, RecText& into) {
  TextBuffer text;
  into = DecimalText(pid, text);
}

std::string Ipv4Text(const Ipv4Bytes& addr) {
  TextBuffer text;
  return std::string(Ipv4Text(addr, text));
}

std::string PortText(std::uint16_t port) {
  TextBuffer text;
  return std::string(DecimalText(static_cast<unsigned>(port), text));
}

std::string PidText(std::uint32_t pid) {
  TextBuffer text;
  return std::string(DecimalText(pid, text));
}

}  // namespace halvane
