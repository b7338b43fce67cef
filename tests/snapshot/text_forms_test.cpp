#include "snapshot/text_forms.h"

#include <gtest/gtest.h>

namespace halvane {
namespace {

TEST(TextForms, AddressesInDottedDecimal) {
  const struct {
    Ipv4Bytes addr;
    const char* text;
  } cases[] = {{{127, 0, 0, 1}, "127.0.0.1"},
               {{0, 0, 0, 0}, "0.0.0.0"},
               {{255, 255, 255, 255}, "255.255.255.255"},
               {{10, 0, 0, 10}, "10.0.0.10"},
               {{192, 168, 100, 9}, "192.168.100.9"}};
  for (const auto& c : cases)
    EXPECT_EQ(Ipv4Text(c.addr), c.text);
}

TEST(TextForms, PortsDecimalWithoutLeadingZeros) {
  const struct {
    std::uint16_t port;
    const char* text;
  } cases[] = {{0, "0"}, {7, "7"}, {80, "80"}, {443, "443"}, {32768, "32768"}, {65535, "65535"}};
  for (const auto& c : cases)
    EXPECT_EQ(PortText(c.port), c.text);
}

TEST(TextForms, ProcessIdsUnsignedDecimal) {
  const struct {
    std::uint32_t pid;
    const char* text;
  } cases[] = {{0, "0"},
               {4, "4"},
               {0x7FFFFFFFu, "2147483647"},
               {0x80000000u, "2147483648"},
               {0xFFFFFFFFu, "4294967295"}};
  for (const auto& c : cases)
    EXPECT_EQ(PidText(c.pid), c.text);
}

}  // namespace
}  // namespace halvane
