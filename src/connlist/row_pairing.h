#pragma once
#include <cstdint>
#include <vector>

#include "connlist/my_rec.h"
#include "connlist/program_count.h"
#include "snapshot/file_rec.h"

namespace halvane {

// What pairing the rows with a snapshot decided, by row position in display order. Pairing
// reads only what never changes after a row was added (its keys, program and name) and its
// state and mark, which only a merge changes; it writes none of the rows.
struct RowPairing {
  // Rows that found no free endpoint of their key, or that the loopback option hides.
  std::vector<std::uint32_t> removed;
  // TCP rows kept whose state or mark the merge must write, with their endpoint's position.
  struct Change {
    std::uint32_t row;
    std::uint32_t endpoint;
  };
  std::vector<Change> changed;
  // The programs of the rows kept, collected in display order.
  ProgramCountText programs;
};

// Pairs every row, in display order, with the first endpoint of its key in array order that no
// earlier row took, and marks those endpoints Matched "ok". With `showLocal` off a TCP row
// whose local and remote addresses are both 127.0.0.1 goes although it found its endpoint.
RowPairing PairRows(const std::vector<const TMyRec*>& rows, bool showLocal, FileRecArray& tcp,
                    FileRecArray& udp);

// Whether the loopback option hides the row: both of its addresses are 127.0.0.1.
bool IsLoopbackRow(const TMyRec& rec);

}  // namespace halvane
