#include "view/text_ranks.h"

#include <algorithm>
#include <cstring>
#include <functional>

#include "view/row_compare.h"

namespace halvane {
namespace {

constexpr std::uint32_t kNone = ~std::uint32_t{0};

// The first sixteen bytes of the text with a-z folded, as two numbers that order like them; a
// shorter text is padded with 0 bytes, which sort first as the end of a text does. Texts with
// different keys compare as their keys; only texts with one key need the whole comparison, and
// addresses and ports never do.
struct KeyedText {
  std::uint64_t high = 0;
  std::uint64_t low = 0;
  std::uint32_t index = 0;  // among the distinct texts

  bool SameKey(const KeyedText& other) const { return high == other.high && low == other.low; }
  bool KeyBefore(const KeyedText& other) const {
    return high != other.high ? high < other.high : low < other.low;
  }
};

std::uint64_t FoldedBytes(std::string_view text, std::size_t from) {
  std::uint64_t key = 0;
  for (std::size_t i = from; i < from + 8; ++i) {
    unsigned char c = i < text.size() ? static_cast<unsigned char>(text[i]) : 0;
    if (c >= 'a' && c <= 'z')
      c = static_cast<unsigned char>(c - 32);
    key = key << 8 | c;
  }
  return key;
}

KeyedText KeyOf(std::string_view text, std::uint32_t index) {
  return {FoldedBytes(text, 0), FoldedBytes(text, 8), index};
}

// The distinct texts, each found by hash in an open-addressing table of indexes into them.
class DistinctTexts {
 public:
  explicit DistinctTexts(std::size_t most) {
    std::size_t capacity = 16;
    while (capacity < most * 2)
      capacity *= 2;
    slots_.assign(capacity, kNone);
    hashes_.reserve(std::min<std::size_t>(most, 1024));
    texts_.reserve(std::min<std::size_t>(most, 1024));
    keys_.reserve(std::min<std::size_t>(most, 1024));
  }

  // The index of the text among the distinct ones, added if new.
  std::uint32_t IndexOf(std::string_view text) {
    const std::size_t hash = std::hash<std::string_view>()(text);
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t at = hash & mask;; at = (at + 1) & mask) {
      const std::uint32_t index = slots_[at];
      if (index == kNone) {
        const auto added = static_cast<std::uint32_t>(texts_.size());
        slots_[at] = added;
        hashes_.push_back(hash);
        texts_.push_back(text);
        keys_.push_back(KeyOf(text, added));  // while its bytes are at hand
        return added;
      }
      if (hashes_[index] == hash && texts_[index] == text)
        return index;
    }
  }

  const std::vector<std::string_view>& texts() const { return texts_; }
  std::vector<KeyedText>& keys() { return keys_; }

 private:
  std::vector<std::uint32_t> slots_;
  std::vector<std::size_t> hashes_;
  std::vector<std::string_view> texts_;
  std::vector<KeyedText> keys_;
};

bool HoldsZeroByte(std::string_view text) {
  return std::memchr(text.data(), 0, text.size()) != nullptr;
}

// The rank of each distinct text: one comparison sort of the distinct texts, then equal
// neighbours ("abc" and "ABC") share a rank.
std::vector<std::uint32_t> RanksOfDistinct(const std::vector<std::string_view>& distinct,
                                           std::vector<KeyedText>& byOrder, std::uint32_t& count) {
  std::sort(byOrder.begin(), byOrder.end(), [&](const KeyedText& a, const KeyedText& b) {
    if (!a.SameKey(b))
      return a.KeyBefore(b);
    return CompareFolded(distinct[a.index], distinct[b.index]) < 0;
  });
  std::vector<std::uint32_t> rank(distinct.size());
  count = 0;
  for (std::size_t i = 0; i < byOrder.size(); ++i) {
    const KeyedText& text = byOrder[i];
    if (i > 0 && (!byOrder[i - 1].SameKey(text) ||
                  CompareFolded(distinct[byOrder[i - 1].index], distinct[text.index]) != 0))
      ++count;
    rank[text.index] = count;
  }
  if (!byOrder.empty())
    ++count;
  return rank;
}

}  // namespace

std::optional<TextRanks> RankTexts(const std::vector<std::string_view>& texts) {
  DistinctTexts distinct(texts.size());
  std::vector<std::uint32_t> indexes(texts.size());
  for (std::size_t i = 0; i < texts.size(); ++i) {
    // Sorted lists hold long runs of one text: a run costs one comparison per row, no hash.
    if (i > 0 && texts[i] == texts[i - 1]) {
      indexes[i] = indexes[i - 1];
      continue;
    }
    const std::size_t known = distinct.texts().size();
    indexes[i] = distinct.IndexOf(texts[i]);
    if (distinct.texts().size() > known && HoldsZeroByte(texts[i]))
      return std::nullopt;
  }
  TextRanks ranks;
  const std::vector<std::uint32_t> rankOfDistinct =
      RanksOfDistinct(distinct.texts(), distinct.keys(), ranks.count);
  ranks.ofText.resize(texts.size());
  for (std::size_t i = 0; i < texts.size(); ++i)
    ranks.ofText[i] = rankOfDistinct[indexes[i]];
  return ranks;
}

// A counting sort: the positions of each rank go, in the order given, after those of every
// rank before it.
std::vector<std::uint32_t> StableOrderByRank(const TextRanks& ranks, bool ascending) {
  std::vector<std::uint32_t> start(ranks.count + 1, 0);
  for (const std::uint32_t rank : ranks.ofText)
    ++start[(ascending ? rank : ranks.count - 1 - rank) + 1];
  for (std::size_t r = 1; r < start.size(); ++r)
    start[r] += start[r - 1];
  std::vector<std::uint32_t> order(ranks.ofText.size());
  for (std::uint32_t i = 0; i < ranks.ofText.size(); ++i) {
    const std::uint32_t rank = ranks.ofText[i];
    order[start[ascending ? rank : ranks.count - 1 - rank]++] = i;
  }
  return order;
}

}  // namespace halvane
