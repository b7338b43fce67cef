#include "platform/windows/wide_text.h"

#include <gtest/gtest.h>

namespace halvane {
namespace {

TEST(WideTextTest, RoundTripsTextsOutsideEveryAnsiCodePage) {
  const char* texts[] = {"", "C:\\Windows\\System32", "网络连接查看器", "Ünïcødé ✓", "𠀀 emoji 😀"};
  for (const char* text : texts) {
    SCOPED_TRACE(text);
    EXPECT_EQ(WideToUtf8(Utf8ToWide(text)), text);
  }
  EXPECT_EQ(Utf8ToWide("网络"), L"\u7f51\u7edc");
}

TEST(WideTextTest, AFixedBufferEndsAtItsNulOrItsCapacity) {
  const wchar_t full[4] = {L'a', L'b', L'c', L'd'};
  EXPECT_EQ(WideBufferToUtf8(full, 4), "abcd");
  const wchar_t cut[4] = {L'a', L'\0', L'c', L'd'};
  EXPECT_EQ(WideBufferToUtf8(cut, 4), "a");
}

}  // namespace
}  // namespace halvane
