#include "snapshot/text_forms.h"

namespace halvane {

std::string Ipv4Text(const Ipv4Bytes& addr) {
  std::string text;
  text.reserve(15);
  for (std::size_t i = 0; i < addr.size(); ++i) {
    if (i)
      text += '.';
    text += std::to_string(static_cast<unsigned>(addr[i]));
  }
  return text;
}

std::string PortText(std::uint16_t port) {
  return std::to_string(static_cast<unsigned>(port));
}

std::string PidText(std::uint32_t pid) {
  return std::to_string(static_cast<unsigned long>(pid));
}

}  // namespace halvane
