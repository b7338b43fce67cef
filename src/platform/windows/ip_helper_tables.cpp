#include "platform/windows/ip_helper_tables.h"

#include <cstring>
#include <functional>

#include "platform/windows/owner_pid_table.h"
#include "snapshot/table_decoder.h"

namespace halvane {
namespace {

// The flags argument the internal table functions are called with.
constexpr DWORD kInternalTableFlags = 2;
// The documented tables can grow between the size query and the read; a few tries suffice.
constexpr int kExtendedTableAttempts = 4;

template <typename Function>
Function Bound(HMODULE library, const char* name) {
  return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(library, name)));
}

// A table block owned by the heap it came from, released there whatever happens.
class HeapBlock {
 public:
  HeapBlock(HANDLE heap, void* block) : heap_(heap), block_(block) {}
  ~HeapBlock() {
    if (block_ != nullptr)
      HeapFree(heap_, 0, block_);
  }
  HeapBlock(const HeapBlock&) = delete;
  HeapBlock& operator=(const HeapBlock&) = delete;

  // The block's bytes, copied out; none when the heap cannot tell the block's size.
  std::vector<std::byte> Bytes() const {
    if (block_ == nullptr)
      return {};
    const SIZE_T size = HeapSize(heap_, 0, block_);
    if (size == static_cast<SIZE_T>(-1))
      return {};
    const auto* first = static_cast<const std::byte*>(block_);
    return std::vector<std::byte>(first, first + size);
  }

 private:
  HANDLE heap_;
  void* block_;
};

// Calls a size-then-fill table function until the buffer is large enough.
std::vector<std::byte> ReadSizedTable(const std::function<DWORD(void*, DWORD*)>& read) {
  DWORD size = 0;
  std::vector<std::byte> buffer;
  for (int attempt = 0; attempt < kExtendedTableAttempts; ++attempt) {
    buffer.assign(size, std::byte{0});
    const DWORD result = read(buffer.empty() ? nullptr : buffer.data(), &size);
    if (result == NO_ERROR)
      return buffer;
    if (result != ERROR_INSUFFICIENT_BUFFER)
      return {};
  }
  return {};
}

}  // namespace

IpHelperEntryPoints BindIpHelperEntryPoints(const wchar_t* library) {
  IpHelperEntryPoints entries;
  const HMODULE module = LoadLibraryW(library);
  if (module == nullptr)
    return entries;
  using E = IpHelperEntryPoints;
  entries.InternalGetTcpTable2 = Bound<E::InternalTableFunction>(module, "InternalGetTcpTable2");
  entries.InternalGetUdpTableWithOwnerPid =
      Bound<E::InternalTableFunction>(module, "InternalGetUdpTableWithOwnerPid");
  entries.GetExtendedTcpTable = Bound<E::ExtendedTcpFunction>(module, "GetExtendedTcpTable");
  entries.GetExtendedUdpTable = Bound<E::ExtendedUdpFunction>(module, "GetExtendedUdpTable");
  return entries;  // the library stays loaded for the life of the process
}

std::vector<std::byte> WindowsConnectionTables::ReadInternal(
    IpHelperEntryPoints::InternalTableFunction function) const {
  void* table = nullptr;
  function(&table, heap_, kInternalTableFlags);
  const HeapBlock block(heap_, table);
  return block.Bytes();
}

std::vector<std::byte> WindowsConnectionTables::ReadExtendedTcp() const {
  if (entries_.GetExtendedTcpTable == nullptr)
    return {};
  const std::vector<std::byte> block = ReadSizedTable([this](void* table, DWORD* size) {
    return entries_.GetExtendedTcpTable(table, size, FALSE, AF_INET, TCP_TABLE_OWNER_PID_ALL, 0);
  });
  return TcpOwnerPidTableAsTable2(block);
}

std::vector<std::byte> WindowsConnectionTables::ReadExtendedUdp() const {
  if (entries_.GetExtendedUdpTable == nullptr)
    return {};
  return ReadSizedTable([this](void* table, DWORD* size) {
    return entries_.GetExtendedUdpTable(table, size, FALSE, AF_INET, UDP_TABLE_OWNER_PID, 0);
  });
}

std::vector<RawTcpRow> WindowsConnectionTables::ReadTcpTable() {
  lastTcpInternal_ = entries_.InternalGetTcpTable2 != nullptr;
  const std::vector<std::byte> block =
      lastTcpInternal_ ? ReadInternal(entries_.InternalGetTcpTable2) : ReadExtendedTcp();
  return DecodeTcpTable2(block);
}

std::vector<RawUdpRow> WindowsConnectionTables::ReadUdpTable() {
  lastUdpInternal_ = entries_.InternalGetUdpTableWithOwnerPid != nullptr;
  const std::vector<std::byte> block =
      lastUdpInternal_ ? ReadInternal(entries_.InternalGetUdpTableWithOwnerPid) : ReadExtendedUdp();
  return DecodeUdpTableOwnerPid(block);
}

}  // namespace halvane
