#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "app/settings_value.h"

namespace halvane {
namespace {

struct NumberCase {
  const char* text;
  std::optional<std::int32_t> number;
};

class SettingNumberTest : public ::testing::TestWithParam<NumberCase> {};

TEST_P(SettingNumberTest, ReadsTheValueRule) {
  EXPECT_EQ(ParseSettingNumber(GetParam().text), GetParam().number) << "text: " << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(
    Values, SettingNumberTest,
    ::testing::Values(
        NumberCase{"0", 0}, NumberCase{"1", 1}, NumberCase{"2", 2}, NumberCase{"-1", -1},
        NumberCase{"+1", 1}, NumberCase{" 1", 1}, NumberCase{"   -17", -17}, NumberCase{"007", 7},
        NumberCase{"2147483647", 2147483647},
        NumberCase{"-2147483648", std::numeric_limits<std::int32_t>::min()}, NumberCase{"$0", 0},
        NumberCase{"$1F", 31}, NumberCase{"$ff", 255}, NumberCase{"-$10", -16},
        NumberCase{"0x0", 0}, NumberCase{"0X1f", 31}, NumberCase{"0x7FFFFFFF", 2147483647},
        // Not numbers, or outside the 32-bit range: the key's default.
        NumberCase{"", std::nullopt}, NumberCase{"yes", std::nullopt},
        NumberCase{"0x", std::nullopt}, NumberCase{"0X", std::nullopt},
        NumberCase{"$", std::nullopt}, NumberCase{"-", std::nullopt}, NumberCase{"+", std::nullopt},
        NumberCase{" ", std::nullopt}, NumberCase{"1 ", std::nullopt},
        NumberCase{"1x", std::nullopt}, NumberCase{"--1", std::nullopt},
        NumberCase{"$g", std::nullopt}, NumberCase{"1.0", std::nullopt},
        NumberCase{"2147483648", std::nullopt}, NumberCase{"-2147483649", std::nullopt},
        NumberCase{"4294967296", std::nullopt}, NumberCase{"99999999999999999999999", std::nullopt},
        NumberCase{"0x80000000", std::nullopt}, NumberCase{"$100000000", std::nullopt}));

struct OnCase {
  const char* text;
  bool defaultOn;
  bool on;
};

class SettingIsOnTest : public ::testing::TestWithParam<OnCase> {};

TEST_P(SettingIsOnTest, NonZeroIsOnAndGarbageIsTheDefault) {
  EXPECT_EQ(SettingIsOn(GetParam().text, GetParam().defaultOn), GetParam().on)
      << "text: " << GetParam().text << " default " << GetParam().defaultOn;
}

INSTANTIATE_TEST_SUITE_P(Values, SettingIsOnTest,
                         ::testing::Values(OnCase{"0", true, false}, OnCase{"1", false, true},
                                           OnCase{"-1", false, true}, OnCase{"2", false, true},
                                           OnCase{"0x0", true, false}, OnCase{"$0", true, false},
                                           OnCase{"yes", true, true}, OnCase{"yes", false, false},
                                           OnCase{"", true, true}, OnCase{"", false, false},
                                           OnCase{"4294967296", false, false},
                                           OnCase{"0x", true, true}));

TEST(SettingTextTest, WritesOneCharacter) {
  EXPECT_STREQ(SettingText(true), "1");
  EXPECT_STREQ(SettingText(false), "0");
}

}  // namespace
}  // namespace halvane
