#include "platform/linux/inode_map.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <random>
#include <vector>

namespace halvane {
namespace {

TEST(InodeMapTest, FirstValueOfAKeyStays) {
  InodeMap map;
  EXPECT_TRUE(map.TryEmplace(500, 7).second);
  const auto [value, inserted] = map.TryEmplace(500, 9);
  EXPECT_FALSE(inserted);
  EXPECT_EQ(*value, 7u);
  EXPECT_EQ(map.size(), 1u);
}

TEST(InodeMapTest, EdgeKeysAreKeysLikeAnyOther) {
  InodeMap map;
  for (const std::uint64_t key : {std::uint64_t{0}, ~std::uint64_t{0}, std::uint64_t{1} << 63}) {
    EXPECT_FALSE(map.Contains(key)) << key;
    EXPECT_TRUE(map.TryEmplace(key, static_cast<std::uint32_t>(key & 0xff)).second) << key;
    ASSERT_NE(map.Find(key), nullptr) << key;
    EXPECT_EQ(*map.Find(key), static_cast<std::uint32_t>(key & 0xff)) << key;
  }
  EXPECT_EQ(map.size(), 3u);
  EXPECT_EQ(map.Find(2), nullptr);
}

TEST(InodeMapTest, FoundValueCanBeChanged) {
  InodeMap map;
  map.TryEmplace(42, 1);
  *map.Find(42) = 5;
  EXPECT_EQ(*map.Find(42), 5u);
}

// Sequential inodes, random cookies and keys that share their low bits, far past the
// initial size: the map agrees with std::map on every key inserted and on absent ones.
TEST(InodeMapTest, AgreesWithAnOrderedMapWhileGrowing) {
  std::mt19937_64 random(11);
  std::vector<std::uint64_t> keys;
  for (std::uint64_t i = 0; i < 5000; ++i) {
    keys.push_back(70000 + i);
    keys.push_back(random());
    keys.push_back(i << 40);
    keys.push_back(70000 + i);  // a repeat
  }
  InodeMap map(10);
  std::map<std::uint64_t, std::uint32_t> reference;
  for (std::size_t i = 0; i < keys.size(); ++i) {
    const auto value = static_cast<std::uint32_t>(i);
    EXPECT_EQ(map.TryEmplace(keys[i], value).second, reference.try_emplace(keys[i], value).second);
  }
  EXPECT_EQ(map.size(), reference.size());
  for (const auto& [key, value] : reference) {
    ASSERT_NE(map.Find(key), nullptr) << key;
    EXPECT_EQ(*map.Find(key), value) << key;
  }
  for (std::uint64_t absent = 1; absent < 200; ++absent) {
    EXPECT_FALSE(map.Contains(absent << 20 | 1)) << absent;
  }
}

}  // namespace
}  // namespace halvane
