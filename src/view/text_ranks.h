#pragma once
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace halvane {

// The rank of each text in the order of CompareFolded: texts that compare equal share a rank,
// a text that sorts after another has a higher one, and the ranks run from 0 without gaps.
struct TextRanks {
  std::vector<std::uint32_t> ofText;  // per text given, in the order given
  std::uint32_t count = 0;            // how many distinct ranks
};

// Ranks the texts by sorting only their distinct values: a column of 100,000 rows with a few
// dozen descriptions costs a few dozen comparisons. None when a text holds a 0 byte: a text
// that ends where another holds a 0 byte compares equal to it under CompareFolded ("ab" and
// "ab\0x", but also "ab" and "ab\0y", which differ), so such texts have no consistent order and
// only the comparisons themselves can place them.
std::optional<TextRanks> RankTexts(const std::vector<std::string_view>& texts);

// The positions of the items in sorted order by rank, equal ranks in the order given: what a
// stable sort by the texts gives, ascending or descending.
std::vector<std::uint32_t> StableOrderByRank(const TextRanks& ranks, bool ascending);

}  // namespace halvane
