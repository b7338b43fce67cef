#include "view/text_ranks.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace halvane {
namespace {

using std::string_view_literals::operator""sv;

struct RankCase {
  const char* name;
  std::vector<std::string_view> texts;
  std::vector<std::uint32_t> ranks;
  std::uint32_t count;
};

TEST(RankTextsTest, EqualTextsShareARankAndRanksHaveNoGaps) {
  const std::vector<RankCase> cases = {
      {"Empty", {}, {}, 0},
      {"One", {"x"}, {0}, 1},
      {"CaseVariantsAreEqual", {"b", "A", "B", "a", ""}, {2, 1, 2, 1, 0}, 3},
      {"PrefixFirst", {"abc", "ab", "abd", "ab"}, {1, 0, 2, 0}, 3},
      {"UnderscoreBetweenUpperAndLowerFolded", {"a_", "aZ", "a["}, {2, 0, 1}, 3},
      {"HighBytesAfterAscii", {"\xe7\xb3\xbb", "z", "\xe7\xb3"}, {2, 0, 1}, 3},
  };
  for (const RankCase& test : cases) {
    const std::optional<TextRanks> ranks = RankTexts(test.texts);
    ASSERT_TRUE(ranks.has_value()) << test.name;
    EXPECT_EQ(ranks->ofText, test.ranks) << test.name;
    EXPECT_EQ(ranks->count, test.count) << test.name;
  }
}

TEST(RankTextsTest, TextWithAZeroByteGivesNoRanks) {
  EXPECT_FALSE(RankTexts({"ab", "ab\0x"sv, "ab\0y"sv}).has_value());
  EXPECT_FALSE(RankTexts({"\0"sv}).has_value());
}

TEST(StableOrderByRankTest, EqualRanksKeepTheirOrderInBothDirections) {
  TextRanks ranks;
  ranks.ofText = {1, 0, 2, 1, 0, 2, 1};
  ranks.count = 3;
  EXPECT_EQ(StableOrderByRank(ranks, true), (std::vector<std::uint32_t>{1, 4, 0, 3, 6, 2, 5}));
  EXPECT_EQ(StableOrderByRank(ranks, false), (std::vector<std::uint32_t>{2, 5, 0, 3, 6, 1, 4}));
}

}  // namespace
}  // namespace halvane
