#include "connlist/row_pairing.h"

#include "connlist/endpoint_index.h"
#include "connlist/tcp_state_text.h"

namespace halvane {
namespace {
constexpr const char* kLoopback = "127.0.0.1";
}

bool IsLoopbackRow(const TMyRec& rec) {
  return rec.LocalIP == kLoopback && rec.RemoteIP == kLoopback;
}

// The indexes live only for the pairing, so their memory is free again before the view places
// the new rows.
RowPairing PairRows(const std::vector<const TMyRec*>& rows, bool showLocal, FileRecArray& tcp,
                    FileRecArray& udp) {
  EndpointIndex tcpIndex(tcp, true);
  EndpointIndex udpIndex(udp, false);
  RowPairing pairing;
  for (std::uint32_t i = 0; i < rows.size(); ++i) {
    const TMyRec& r = *rows[i];
    const bool isTcp = r.Protocol == "TCP";
    EndpointIndex& index = isTcp ? tcpIndex : udpIndex;
    const std::uint32_t e = index.FirstFree(r);
    // A loopback connection hidden by the option ends the search unpaired: the row goes.
    if (e == EndpointIndex::kNone || (isTcp && !showLocal && IsLoopbackRow(r))) {
      pairing.removed.push_back(i);
      continue;
    }
    index.Take(e);
    // A kept row loses its mark, and is marked "md" when its state changed.
    if (isTcp && (!r.Mark.empty() || TcpStateText(index.StateCodeOf(e)) != r.State))
      pairing.changed.push_back({i, e});
    if (!r.ProcessPath.empty())
      pairing.programs.Collect(r.ProcessName);
  }
  // The paired endpoints are marked once every row is paired, in array order.
  tcpIndex.MarkTaken();
  udpIndex.MarkTaken();
  return pairing;
}

}  // namespace halvane
