#include "snapshot/text_forms.h"

#include <charconv>

namespace halvane {
namespace {

template <typename Number>
void AssignDecimal(Number value, std::string& into) {
  char digits[16];
  const auto [end, error] = std::to_chars(digits, digits + sizeof digits, value);
  (void)error;  // 16 digits hold every 32-bit value
  into.assign(digits, end);
}

}  // namespace

void AssignIpv4Text(const Ipv4Bytes& addr, std::string& into) {
  char text[16];
  char* at = text;
  for (std::size_t i = 0; i < addr.size(); ++i) {
    if (i)
      *at++ = '.';
    at = std::to_chars(at, text + sizeof text, static_cast<unsigned>(addr[i])).ptr;
  }
  into.assign(text, at);
}

void AssignPortText(std::uint16_t port, std::string& into) {
  AssignDecimal(static_cast<unsigned>(port), into);
}

void AssignPidText(std::uint32_t pid, std::string& into) {
  AssignDecimal(pid, into);
}

std::string Ipv4Text(const Ipv4Bytes& addr) {
  std::string text;
  AssignIpv4Text(addr, text);
  return text;
}

std::string PortText(std::uint16_t port) {
  std::string text;
  AssignPortText(port, text);
  return text;
}

std::string PidText(std::uint32_t pid) {
  std::string text;
  AssignPidText(pid, text);
  return text;
}

}  // namespace halvane
