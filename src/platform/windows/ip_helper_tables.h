#pragma once
// clang-format off
#include <winsock2.h>
#include <windows.h>
#include <iphlpapi.h>
// clang-format on

#include <vector>

#include "snapshot/table_sources.h"

namespace halvane {

// The entry points of iphlpapi.dll that the tables come from, each null where the library
// lacks it. InternalGetTcpTable2 and InternalGetUdpTableWithOwnerPid are undocumented: they
// allocate the table from the heap they are given, and the caller releases it there.
struct IpHelperEntryPoints {
  using InternalTableFunction = DWORD(WINAPI*)(void** table, HANDLE heap, DWORD flags);
  using ExtendedTcpFunction = DWORD(WINAPI*)(void* table, DWORD* size, BOOL order, ULONG family,
                                             TCP_TABLE_CLASS tableClass, ULONG reserved);
  using ExtendedUdpFunction = DWORD(WINAPI*)(void* table, DWORD* size, BOOL order, ULONG family,
                                             UDP_TABLE_CLASS tableClass, ULONG reserved);

  InternalTableFunction InternalGetTcpTable2 = nullptr;
  InternalTableFunction InternalGetUdpTableWithOwnerPid = nullptr;
  ExtendedTcpFunction GetExtendedTcpTable = nullptr;
  ExtendedUdpFunction GetExtendedUdpTable = nullptr;
};

// Loads `library` and binds the four functions by name; all null when it cannot be loaded.
IpHelperEntryPoints BindIpHelperEntryPoints(const wchar_t* library = L"iphlpapi.dll");

// The IPv4 tables with owning process IDs. The internal functions are used where the library
// has them; else the documented GetExtendedTcpTable (TCP_TABLE_OWNER_PID_ALL) and
// GetExtendedUdpTable (UDP_TABLE_OWNER_PID), decoded into the same rows. A table that cannot be
// read is empty.
class WindowsConnectionTables : public IConnectionTables {
 public:
  // The internal functions' blocks come from `heap` and go back to it on every path.
  WindowsConnectionTables(IpHelperEntryPoints entries, HANDLE heap)
      : entries_(entries), heap_(heap) {}

  std::vector<RawTcpRow> ReadTcpTable() override;
  std::vector<RawUdpRow> ReadUdpTable() override;

  // Which source served the last read of each table: true for the internal function.
  bool LastTcpFromInternal() const { return lastTcpInternal_; }
  bool LastUdpFromInternal() const { return lastUdpInternal_; }

 private:
  std::vector<std::byte> ReadInternal(IpHelperEntryPoints::InternalTableFunction function) const;
  std::vector<std::byte> ReadExtendedTcp() const;
  std::vector<std::byte> ReadExtendedUdp() const;

  IpHelperEntryPoints entries_;
  HANDLE heap_;
  bool lastTcpInternal_ = false;
  bool lastUdpInternal_ = false;
};

}  // namespace halvane
