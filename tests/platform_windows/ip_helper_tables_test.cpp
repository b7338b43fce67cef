#include "platform/windows/ip_helper_tables.h"

#include <gtest/gtest.h>

#include <cstring>
#include <initializer_list>

#include "table_blocks.h"
#include "windows_test_support.h"

namespace halvane {
namespace {

using testing_windows::LittleEndianWords;

constexpr std::uint32_t kLoopback = 0x0100007F;  // 7F 00 00 01
constexpr std::uint32_t kPort80 = 0x5000;        // 00 50

// What the fake table functions hand out and what they were called with.
struct FakeTableCalls {
  std::vector<std::byte> tcpBlock;
  std::vector<std::byte> udpBlock;
  bool giveNoBlock = false;
  HANDLE heapSeen = nullptr;
  DWORD flagsSeen = 0;
  int internalCalls = 0;
  int extendedCalls = 0;
  ULONG familySeen = 0;
  int classSeen = -1;
};
FakeTableCalls* calls = nullptr;

DWORD Allocate(void** table, HANDLE heap, DWORD flags, const std::vector<std::byte>& bytes) {
  ++calls->internalCalls;
  calls->heapSeen = heap;
  calls->flagsSeen = flags;
  if (calls->giveNoBlock)
    return ERROR_NOT_ENOUGH_MEMORY;
  *table = HeapAlloc(heap, 0, bytes.size());
  std::memcpy(*table, bytes.data(), bytes.size());
  return NO_ERROR;
}

DWORD WINAPI FakeInternalTcp(void** table, HANDLE heap, DWORD flags) {
  return Allocate(table, heap, flags, calls->tcpBlock);
}

DWORD WINAPI FakeInternalUdp(void** table, HANDLE heap, DWORD flags) {
  return Allocate(table, heap, flags, calls->udpBlock);
}

DWORD Fill(void* table, DWORD* size, const std::vector<std::byte>& bytes) {
  ++calls->extendedCalls;
  if (table == nullptr || *size < bytes.size()) {
    *size = static_cast<DWORD>(bytes.size());
    return ERROR_INSUFFICIENT_BUFFER;
  }
  std::memcpy(table, bytes.data(), bytes.size());
  return NO_ERROR;
}

DWORD WINAPI FakeExtendedTcp(void* table, DWORD* size, BOOL, ULONG family,
                             TCP_TABLE_CLASS tableClass, ULONG) {
  calls->familySeen = family;
  calls->classSeen = tableClass;
  return Fill(table, size, calls->tcpBlock);
}

DWORD WINAPI FakeExtendedUdp(void* table, DWORD* size, BOOL, ULONG family,
                             UDP_TABLE_CLASS tableClass, ULONG) {
  calls->familySeen = family;
  calls->classSeen = tableClass;
  return Fill(table, size, calls->udpBlock);
}

// The blocks still allocated in a heap.
int BusyBlocks(HANDLE heap) {
  int busy = 0;
  PROCESS_HEAP_ENTRY entry{};
  HeapLock(heap);
  while (HeapWalk(heap, &entry)) {
    if (entry.wFlags & PROCESS_HEAP_ENTRY_BUSY)
      ++busy;
  }
  HeapUnlock(heap);
  return busy;
}

class IpHelperTablesTest : public ::testing::Test {
 protected:
  IpHelperTablesTest() : heap_(HeapCreate(0, 0, 0)) { calls = &calls_; }
  ~IpHelperTablesTest() override {
    calls = nullptr;
    HeapDestroy(heap_);
  }

  static IpHelperEntryPoints Internal() {
    IpHelperEntryPoints entries;
    entries.InternalGetTcpTable2 = FakeInternalTcp;
    entries.InternalGetUdpTableWithOwnerPid = FakeInternalUdp;
    entries.GetExtendedTcpTable = FakeExtendedTcp;
    entries.GetExtendedUdpTable = FakeExtendedUdp;
    return entries;
  }
  static IpHelperEntryPoints ExtendedOnly() {
    IpHelperEntryPoints entries;
    entries.GetExtendedTcpTable = FakeExtendedTcp;
    entries.GetExtendedUdpTable = FakeExtendedUdp;
    return entries;
  }

  FakeTableCalls calls_;
  HANDLE heap_;
};

TEST_F(IpHelperTablesTest, InternalFunctionsGetTheHeapAndFlagsTwoAndTheirBlocksGoBack) {
  calls_.tcpBlock = LittleEndianWords({1, 5, kLoopback, kPort80, kLoopback, 0x00C0, 42, 0});
  calls_.udpBlock = LittleEndianWords({1, kLoopback, 0x3500, 43});
  WindowsConnectionTables tables(Internal(), heap_);

  const std::vector<RawTcpRow> tcp = tables.ReadTcpTable();
  EXPECT_EQ(calls_.heapSeen, heap_);
  EXPECT_EQ(calls_.flagsSeen, 2u);
  const std::vector<RawUdpRow> udp = tables.ReadUdpTable();

  ASSERT_EQ(tcp.size(), 1u);
  EXPECT_EQ(tcp[0].state, 5);
  EXPECT_EQ(tcp[0].localPort, 80);
  EXPECT_EQ(tcp[0].remotePort, 49152);
  EXPECT_EQ(tcp[0].pid, 42u);
  ASSERT_EQ(udp.size(), 1u);
  EXPECT_EQ(udp[0].localPort, 53);
  EXPECT_EQ(udp[0].pid, 43u);
  EXPECT_TRUE(tables.LastTcpFromInternal());
  EXPECT_TRUE(tables.LastUdpFromInternal());
  EXPECT_EQ(calls_.extendedCalls, 0);
  EXPECT_EQ(BusyBlocks(heap_), 0);
}

TEST_F(IpHelperTablesTest, AFailingInternalFunctionGivesAnEmptyTableAndNoFallback) {
  calls_.giveNoBlock = true;
  WindowsConnectionTables tables(Internal(), heap_);
  EXPECT_TRUE(tables.ReadTcpTable().empty());
  EXPECT_TRUE(tables.ReadUdpTable().empty());
  EXPECT_EQ(calls_.internalCalls, 2);
  EXPECT_EQ(calls_.extendedCalls, 0);
}

TEST_F(IpHelperTablesTest, WithoutTheInternalExportsTheDocumentedTablesGiveTheSameRows) {
  calls_.tcpBlock = LittleEndianWords({1, 5, kLoopback, kPort80, kLoopback, 0x00C0, 42});
  calls_.udpBlock = LittleEndianWords({1, kLoopback, 0x3500, 43});
  WindowsConnectionTables tables(ExtendedOnly(), heap_);

  const std::vector<RawTcpRow> tcp = tables.ReadTcpTable();
  EXPECT_EQ(calls_.familySeen, static_cast<ULONG>(AF_INET));
  EXPECT_EQ(calls_.classSeen, TCP_TABLE_OWNER_PID_ALL);
  const std::vector<RawUdpRow> udp = tables.ReadUdpTable();
  EXPECT_EQ(calls_.classSeen, UDP_TABLE_OWNER_PID);

  ASSERT_EQ(tcp.size(), 1u);
  EXPECT_EQ(tcp[0].state, 5);
  EXPECT_EQ(tcp[0].localAddr, (Ipv4Bytes{127, 0, 0, 1}));
  EXPECT_EQ(tcp[0].localPort, 80);
  EXPECT_EQ(tcp[0].remotePort, 49152);
  EXPECT_EQ(tcp[0].pid, 42u);
  ASSERT_EQ(udp.size(), 1u);
  EXPECT_EQ(udp[0].localPort, 53);
  EXPECT_FALSE(tables.LastTcpFromInternal());
  EXPECT_FALSE(tables.LastUdpFromInternal());
  EXPECT_EQ(calls_.internalCalls, 0);
}

TEST_F(IpHelperTablesTest, NoFunctionAtAllGivesEmptyTables) {
  WindowsConnectionTables tables(IpHelperEntryPoints{}, heap_);
  EXPECT_TRUE(tables.ReadTcpTable().empty());
  EXPECT_TRUE(tables.ReadUdpTable().empty());
}

TEST(IpHelperBindingTest, AMissingLibraryBindsNothing) {
  const IpHelperEntryPoints entries = BindIpHelperEntryPoints(L"no-such-iphlpapi.dll");
  EXPECT_EQ(entries.InternalGetTcpTable2, nullptr);
  EXPECT_EQ(entries.GetExtendedTcpTable, nullptr);
  EXPECT_EQ(entries.GetExtendedUdpTable, nullptr);
}

TEST(IpHelperBindingTest, TheSystemLibraryHasAtLeastTheDocumentedTables) {
  const IpHelperEntryPoints entries = BindIpHelperEntryPoints();
  EXPECT_NE(entries.GetExtendedTcpTable, nullptr);
  EXPECT_NE(entries.GetExtendedUdpTable, nullptr);
  std::printf("InternalGetTcpTable2 %s, InternalGetUdpTableWithOwnerPid %s\n",
              entries.InternalGetTcpTable2 ? "exported" : "missing: the documented table serves",
              entries.InternalGetUdpTableWithOwnerPid ? "exported"
                                                      : "missing: the documented table serves");
}

}  // namespace
}  // namespace halvane
