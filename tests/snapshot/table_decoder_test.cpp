#include "snapshot/table_decoder.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "snapshot/text_forms.h"

namespace halvane {
namespace {

using Bytes = std::vector<std::uint8_t>;

void AppendLe32(Bytes& out, std::uint32_t value) {
  for (int shift = 0; shift < 32; shift += 8)
    out.push_back(static_cast<std::uint8_t>(value >> shift));
}

// A copy on the heap of exactly the block's size, so a read past its end is caught by ASan.
class ExactBlock {
 public:
  explicit ExactBlock(const Bytes& bytes)
      : size_(bytes.size()), data_(std::make_unique<std::byte[]>(bytes.size())) {
    for (std::size_t i = 0; i < size_; ++i)
      data_[i] = static_cast<std::byte>(bytes[i]);
  }
  std::span<const std::byte> span() const { return {data_.get(), size_}; }

 private:
  std::size_t size_;
  std::unique_ptr<std::byte[]> data_;
};

std::vector<RawTcpRow> DecodeTcp(const Bytes& bytes) {
  return DecodeTcpTable2(ExactBlock(bytes).span());
}

std::vector<RawUdpRow> DecodeUdp(const Bytes& bytes) {
  return DecodeUdpTableOwnerPid(ExactBlock(bytes).span());
}

// One MIB_TCPROW2 written field by field; ports are four raw bytes each.
struct TcpRowBytes {
  std::uint32_t state;
  Bytes localAddr;
  Bytes localPort;
  Bytes remoteAddr;
  Bytes remotePort;
  std::uint32_t pid;
  std::uint32_t offload = 0xDEADBEEF;
};

void AppendTcpRow(Bytes& out, const TcpRowBytes& row) {
  AppendLe32(out, row.state);
  out.insert(out.end(), row.localAddr.begin(), row.localAddr.end());
  out.insert(out.end(), row.localPort.begin(), row.localPort.end());
  out.insert(out.end(), row.remoteAddr.begin(), row.remoteAddr.end());
  out.insert(out.end(), row.remotePort.begin(), row.remotePort.end());
  AppendLe32(out, row.pid);
  AppendLe32(out, row.offload);
}

Bytes TcpBlock(std::uint32_t count, const std::vector<TcpRowBytes>& rows) {
  Bytes out;
  AppendLe32(out, count);
  for (const TcpRowBytes& row : rows)
    AppendTcpRow(out, row);
  return out;
}

void AppendUdpRow(Bytes& out, const Bytes& addr, const Bytes& port, std::uint32_t pid) {
  out.insert(out.end(), addr.begin(), addr.end());
  out.insert(out.end(), port.begin(), port.end());
  AppendLe32(out, pid);
}

struct TcpRowCase {
  const char* name;
  TcpRowBytes bytes;
  std::int32_t state;
  const char* localIp;
  const char* localPort;
  const char* remoteIp;
  const char* remotePort;
  const char* pid;
};

void PrintTo(const TcpRowCase& c, std::ostream* os) {
  *os << c.name;
}

class TcpRowDecoding : public ::testing::TestWithParam<TcpRowCase> {};

TEST_P(TcpRowDecoding, GivesTheTextFormsOfEachField) {
  const TcpRowCase& c = GetParam();
  const std::vector<RawTcpRow> rows = DecodeTcp(TcpBlock(1, {c.bytes}));
  ASSERT_EQ(rows.size(), 1u);
  EXPECT_EQ(rows[0].state, c.state);
  EXPECT_EQ(Ipv4Text(rows[0].localAddr), c.localIp);
  EXPECT_EQ(PortText(rows[0].localPort), c.localPort);
  EXPECT_EQ(Ipv4Text(rows[0].remoteAddr), c.remoteIp);
  EXPECT_EQ(PortText(rows[0].remotePort), c.remotePort);
  EXPECT_EQ(PidText(rows[0].pid), c.pid);
}

INSTANTIATE_TEST_SUITE_P(
    Fixtures, TcpRowDecoding,
    ::testing::Values(
        TcpRowCase{"ListenerOnLoopback",
                   {2, {0x7F, 0, 0, 1}, {0x00, 0x50, 0, 0}, {0, 0, 0, 0}, {0, 0, 0, 0}, 1234},
                   2,
                   "127.0.0.1",
                   "80",
                   "0.0.0.0",
                   "0",
                   "1234"},
        TcpRowCase{"PortIgnoresItsLastTwoBytes",
                   {5,
                    {0x7F, 0, 0, 1},
                    {0x00, 0x50, 0xFF, 0xFF},
                    {10, 1, 2, 3},
                    {0x00, 0x50, 0x12, 0x34},
                    42},
                   5,
                   "127.0.0.1",
                   "80",
                   "10.1.2.3",
                   "80",
                   "42"},
        TcpRowCase{"PortsInNetworkOrderUpTo65535",
                   {5,
                    {192, 168, 0, 10},
                    {0x1F, 0x90, 0xAB, 0xCD},
                    {255, 255, 255, 255},
                    {0xFF, 0xFF, 0x00, 0x00},
                    7},
                   5,
                   "192.168.0.10",
                   "8080",
                   "255.255.255.255",
                   "65535",
                   "7"},
        TcpRowCase{
            "PortWithoutLeadingZeros",
            {1, {0, 0, 0, 0}, {0x00, 0x07, 0x00, 0x00}, {1, 0, 0, 0}, {0x01, 0x00, 0x00, 0x00}, 0},
            1,
            "0.0.0.0",
            "7",
            "1.0.0.0",
            "256",
            "0"},
        TcpRowCase{"PidAtTwoToTheThirtyFirstIsUnsigned",
                   {2, {0, 0, 0, 0}, {0, 0x16, 0, 0}, {0, 0, 0, 0}, {0, 0, 0, 0}, 0x80000000u},
                   2,
                   "0.0.0.0",
                   "22",
                   "0.0.0.0",
                   "0",
                   "2147483648"},
        TcpRowCase{"PidWithAllBitsSetIsUnsigned",
                   {2, {0, 0, 0, 0}, {0, 0x16, 0, 0}, {0, 0, 0, 0}, {0, 0, 0, 0}, 0xFFFFFFFFu},
                   2,
                   "0.0.0.0",
                   "22",
                   "0.0.0.0",
                   "0",
                   "4294967295"},
        TcpRowCase{"StateZeroKept",
                   {0, {0, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 0, 0}, {0, 0, 0, 0}, 1},
                   0,
                   "0.0.0.0",
                   "1",
                   "0.0.0.0",
                   "0",
                   "1"},
        TcpRowCase{"StateThirteenKept",
                   {13, {0, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 0, 0}, {0, 0, 0, 0}, 1},
                   13,
                   "0.0.0.0",
                   "1",
                   "0.0.0.0",
                   "0",
                   "1"},
        TcpRowCase{"StateWithAllBitsSetKeptAsMinusOne",
                   {0xFFFFFFFFu, {0, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 0, 0}, {0, 0, 0, 0}, 1},
                   -1,
                   "0.0.0.0",
                   "1",
                   "0.0.0.0",
                   "0",
                   "1"}),
    [](const auto& tc) { return std::string(tc.param.name); });

TEST(TcpTableDecoding, KeepsTheRowOrderAndSkipsTheOffloadState) {
  const Bytes block =
      TcpBlock(3, {{2, {0, 0, 0, 0}, {0, 21, 0, 0}, {0, 0, 0, 0}, {0, 0, 0, 0}, 11, 0xFFFFFFFF},
                   {5, {10, 0, 0, 1}, {0, 22, 0, 0}, {10, 0, 0, 2}, {0xC3, 0x50, 0, 0}, 22, 1},
                   {11, {10, 0, 0, 1}, {0, 23, 0, 0}, {10, 0, 0, 3}, {0x01, 0xBB, 0, 0}, 33, 2}});
  const std::vector<RawTcpRow> rows = DecodeTcp(block);
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(rows[0].state, 2);
  EXPECT_EQ(rows[0].localPort, 21);
  EXPECT_EQ(rows[0].pid, 11u);
  EXPECT_EQ(rows[1].state, 5);
  EXPECT_EQ(rows[1].remotePort, 50000);
  EXPECT_EQ(Ipv4Text(rows[1].remoteAddr), "10.0.0.2");
  EXPECT_EQ(rows[1].pid, 22u);
  EXPECT_EQ(rows[2].state, 11);
  EXPECT_EQ(rows[2].remotePort, 443);
  EXPECT_EQ(rows[2].pid, 33u);
}

struct BlockSizeCase {
  const char* name;
  Bytes block;
  std::size_t rows;
};

void PrintTo(const BlockSizeCase& c, std::ostream* os) {
  *os << c.name;
}

Bytes WholeTcpRows(std::uint32_t count, int rows, std::size_t extraBytes) {
  std::vector<TcpRowBytes> list;
  for (int i = 0; i < rows; ++i)
    list.push_back({5,
                    {10, 0, 0, 1},
                    {0, 80, 0, 0},
                    {10, 0, 0, 2},
                    {0, 81, 0, 0},
                    static_cast<std::uint32_t>(100 + i)});
  Bytes out = TcpBlock(count, list);
  for (std::size_t i = 0; i < extraBytes; ++i)
    out.push_back(0xAA);
  return out;
}

class TcpBlockSize : public ::testing::TestWithParam<BlockSizeCase> {};

TEST_P(TcpBlockSize, YieldsOnlyTheWholeRowsPresentAndClaimed) {
  const BlockSizeCase& c = GetParam();
  const std::vector<RawTcpRow> rows = DecodeTcp(c.block);
  ASSERT_EQ(rows.size(), c.rows);
  for (std::size_t i = 0; i < rows.size(); ++i)
    EXPECT_EQ(rows[i].pid, 100 + i);
}

INSTANTIATE_TEST_SUITE_P(
    Blocks, TcpBlockSize,
    ::testing::Values(BlockSizeCase{"Empty", {}, 0},
                      BlockSizeCase{"ShorterThanTheCount", {0x02, 0x00, 0x00}, 0},
                      BlockSizeCase{"CountOnlyZero", WholeTcpRows(0, 0, 0), 0},
                      BlockSizeCase{"CountOnlyClaimingRows", WholeTcpRows(5, 0, 0), 0},
                      BlockSizeCase{"CountZeroWithRowsBehind", WholeTcpRows(0, 2, 0), 0},
                      BlockSizeCase{"CountMatches", WholeTcpRows(2, 2, 0), 2},
                      BlockSizeCase{"CountClaimsMore", WholeTcpRows(3, 2, 0), 2},
                      BlockSizeCase{"CountClaimsMoreWithPartialRow", WholeTcpRows(3, 2, 27), 2},
                      BlockSizeCase{"CountClaimsAllBits", WholeTcpRows(0xFFFFFFFF, 1, 5), 1},
                      BlockSizeCase{"CountLessThanHeld", WholeTcpRows(1, 2, 0), 1}),
    [](const auto& tc) { return std::string(tc.param.name); });

Bytes WholeUdpRows(std::uint32_t count, int rows, std::size_t extraBytes) {
  Bytes out;
  AppendLe32(out, count);
  for (int i = 0; i < rows; ++i)
    AppendUdpRow(out, {0, 0, 0, 0}, {0, 53, 0, 0}, static_cast<std::uint32_t>(100 + i));
  for (std::size_t i = 0; i < extraBytes; ++i)
    out.push_back(0xAA);
  return out;
}

class UdpBlockSize : public ::testing::TestWithParam<BlockSizeCase> {};

TEST_P(UdpBlockSize, YieldsOnlyTheWholeRowsPresentAndClaimed) {
  const BlockSizeCase& c = GetParam();
  const std::vector<RawUdpRow> rows = DecodeUdp(c.block);
  ASSERT_EQ(rows.size(), c.rows);
  for (std::size_t i = 0; i < rows.size(); ++i)
    EXPECT_EQ(rows[i].pid, 100 + i);
}

INSTANTIATE_TEST_SUITE_P(
    Blocks, UdpBlockSize,
    ::testing::Values(BlockSizeCase{"Empty", {}, 0},
                      BlockSizeCase{"ShorterThanTheCount", {0x01}, 0},
                      BlockSizeCase{"CountOnlyClaimingRows", WholeUdpRows(4, 0, 0), 0},
                      BlockSizeCase{"CountMatches", WholeUdpRows(3, 3, 0), 3},
                      BlockSizeCase{"CountClaimsMoreWithPartialRow", WholeUdpRows(3, 1, 11), 1},
                      BlockSizeCase{"CountLessThanHeld", WholeUdpRows(2, 3, 0), 2}),
    [](const auto& tc) { return std::string(tc.param.name); });

TEST(UdpTableDecoding, ReadsAddressPortAndUnsignedPidOfEachRow) {
  Bytes block;
  AppendLe32(block, 3);
  AppendUdpRow(block, {0x7F, 0, 0, 1}, {0x00, 0x50, 0xEE, 0xEE}, 900);
  AppendUdpRow(block, {0, 0, 0, 0}, {0x00, 0x35, 0x00, 0x01}, 0x80000000u);
  AppendUdpRow(block, {224, 0, 0, 251}, {0x14, 0xE9, 0, 0}, 0);
  const std::vector<RawUdpRow> rows = DecodeUdp(block);
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(Ipv4Text(rows[0].localAddr), "127.0.0.1");
  EXPECT_EQ(PortText(rows[0].localPort), "80");
  EXPECT_EQ(PidText(rows[0].pid), "900");
  EXPECT_EQ(Ipv4Text(rows[1].localAddr), "0.0.0.0");
  EXPECT_EQ(PortText(rows[1].localPort), "53");
  EXPECT_EQ(PidText(rows[1].pid), "2147483648");
  EXPECT_EQ(Ipv4Text(rows[2].localAddr), "224.0.0.251");
  EXPECT_EQ(PortText(rows[2].localPort), "5353");
  EXPECT_EQ(PidText(rows[2].pid), "0");
}

}  // namespace
}  // namespace halvane
