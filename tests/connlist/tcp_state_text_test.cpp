#include "connlist/tcp_state_text.h"

#include <gtest/gtest.h>

#include <climits>
#include <ostream>
#include <set>

namespace halvane {
namespace {

struct StateTextCase {
  std::int32_t code;
  const char* text;
};

void PrintTo(const StateTextCase& c, std::ostream* os) {
  *os << c.code;
}

class TcpStateTextTest : public ::testing::TestWithParam<StateTextCase> {};

TEST_P(TcpStateTextTest, GivesTheTextOfTheCode) {
  EXPECT_EQ(TcpStateText(GetParam().code), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    KnownStates, TcpStateTextTest,
    ::testing::Values(StateTextCase{1, "关闭"}, StateTextCase{2, "监听"},
                      StateTextCase{3, "同步发送"}, StateTextCase{4, "同步接收"},
                      StateTextCase{5, "已建立"}, StateTextCase{6, "等待完成1"},
                      StateTextCase{7, "等待完成2"}, StateTextCase{8, "等待关闭"},
                      StateTextCase{9, "正在关闭"}, StateTextCase{10, "最后确认"},
                      StateTextCase{11, "等待时间"}, StateTextCase{12, "删除"}));

INSTANTIATE_TEST_SUITE_P(
    OtherCodesAsSignedNumbers, TcpStateTextTest,
    ::testing::Values(StateTextCase{0, "未知状态0"}, StateTextCase{13, "未知状态13"},
                      StateTextCase{100, "未知状态100"},
                      StateTextCase{static_cast<std::int32_t>(0xFFFFFFFFu), "未知状态-1"},
                      StateTextCase{INT_MIN, "未知状态-2147483648"},
                      StateTextCase{INT_MAX, "未知状态2147483647"}));

TEST(TcpStateTextDistinct, DifferentCodesGiveDifferentTexts) {
  std::set<std::string> texts;
  for (std::int32_t code = -20; code <= 40; ++code)
    texts.insert(TcpStateText(code));
  EXPECT_EQ(texts.size(), 61u);
}

}  // namespace
}  // namespace halvane
