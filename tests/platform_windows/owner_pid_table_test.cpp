#include "platform/windows/owner_pid_table.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>

#include "snapshot/table_decoder.h"
#include "table_blocks.h"

namespace halvane {
namespace {

using testing_windows::LittleEndianWords;

// Addresses and ports as the table stores them: bytes in network order.
constexpr std::uint32_t kLoopback = 0x0100007F;   // 7F 00 00 01
constexpr std::uint32_t kPort80 = 0xABCD5000;     // 00 50, then two ignored bytes
constexpr std::uint32_t kPort49152 = 0x000000C0;  // C0 00
constexpr std::uint32_t kAnyAddress = 0;

TEST(TcpOwnerPidTableTest, RowsDecodeAsTheSameRowsOfTheInternalLayout) {
  const auto block = LittleEndianWords({2,                                            // count
                                        2, kLoopback, kPort80, kAnyAddress, 0, 1234,  // listen
                                        5, kLoopback, kPort49152, kLoopback, kPort80, 0x80000000u});
  const std::vector<RawTcpRow> rows = DecodeTcpTable2(TcpOwnerPidTableAsTable2(block));
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[0].state, 2);
  EXPECT_EQ(rows[0].localAddr, (Ipv4Bytes{127, 0, 0, 1}));
  EXPECT_EQ(rows[0].localPort, 80);
  EXPECT_EQ(rows[0].remoteAddr, (Ipv4Bytes{0, 0, 0, 0}));
  EXPECT_EQ(rows[0].pid, 1234u);
  EXPECT_EQ(rows[1].state, 5);
  EXPECT_EQ(rows[1].localPort, 49152);
  EXPECT_EQ(rows[1].remotePort, 80);
  EXPECT_EQ(rows[1].pid, 0x80000000u);
}

TEST(TcpOwnerPidTableTest, EachRowGainsAZeroOffloadState) {
  const auto block = LittleEndianWords({1, 2, kLoopback, kPort80, 0, 0, 77});
  const std::vector<std::byte> table2 = TcpOwnerPidTableAsTable2(block);
  EXPECT_EQ(table2, LittleEndianWords({1, 2, kLoopback, kPort80, 0, 0, 77, 0}));
}

TEST(TcpOwnerPidTableTest, ShortOrEmptyBlocksKeepOnlyTheWholeRowsTheyHold) {
  struct Case {
    const char* what;
    std::vector<std::byte> block;
    std::size_t rows;
  };
  auto truncated = LittleEndianWords({3, 2, kLoopback, kPort80, 0, 0, 1, 2, kLoopback});
  const Case cases[] = {
      {"empty block", {}, 0},
      {"count cut short", {std::byte{1}, std::byte{0}}, 0},
      {"zero rows", LittleEndianWords({0}), 0},
      {"count claims more rows than present", truncated, 1},
      {"count claims fewer rows than present",
       LittleEndianWords({1, 2, kLoopback, kPort80, 0, 0, 1, 2, kLoopback, kPort80, 0, 0, 2}), 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(DecodeTcpTable2(TcpOwnerPidTableAsTable2(c.block)).size(), c.rows);
  }
}

}  // namespace
}  // namespace halvane
