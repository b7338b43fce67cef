#include "refresh/live_measurements.h"

#include <memory>

#include "common/list_harness.h"
#include "platform/linux/free_memory.h"
#include "platform/linux/linux_platform.h"

namespace halvane::bench {
namespace {

// Everything one program instance holds: tables, identity, the snapshot and the list.
struct LiveSession {
  explicit LiveSession(bool showLocal)
      : tables(MakeLinuxConnectionTables()),
        identity(MakeLinuxProcessIdentity()),
        snapshot(*tables, *identity),
        harness(snapshot, showLocal) {
    identity->EnableDebugPrivilege();
  }

  std::unique_ptr<IConnectionTables> tables;
  std::unique_ptr<IProcessIdentity> identity;
  ConnectionSnapshot snapshot;
  ListHarness harness;
};

void MeasureReads(StepReporter& reporter, int runs) {
  LiveSession session(true);
  for (int i = 0; i < runs; ++i)
    reporter.Timed(kReadStep, [&] { session.snapshot.ReadConnectionTables(); });
  reporter.Fact("tcp rows", std::to_string(session.snapshot.TcpRecs.size()));
  reporter.Fact("udp rows", std::to_string(session.snapshot.UdpRecs.size()));
}

}  // namespace

void MeasureLiveSystem(StepReporter& reporter, int runs, bool showLocal) {
  MeasureReads(reporter, runs);
  std::unique_ptr<LiveSession> session;
  for (int i = 0; i < runs; ++i) {
    session.reset();  // one list at a time, so the peak is that of one instance
    session = std::make_unique<LiveSession>(showLocal);
    reporter.Timed(kFillStep, [&] { session->harness.list.FillConnectionList(); });
  }
  reporter.Fact("rows after fill", std::to_string(session->harness.view.RowCount()));
  for (int i = 0; i < runs; ++i)
    reporter.Timed(kRefreshStep, [&] { session->harness.list.RefreshConnectionList(); });
  reporter.Fact("rows after refresh", std::to_string(session->harness.view.RowCount()));
  // As the window refreshes: rows noted, tables read and rows paired away from the GUI thread
  // (untimed), then what the GUI thread does.
  for (int i = 0; i < runs; ++i) {
    session->harness.list.NoteRowsForPairing();
    session->snapshot.ReadConnectionTables();
    session->harness.list.PairNotedRows();
    reporter.Timed(kGuiShareStep, [&] {
      session->harness.list.MergeSnapshot();
      session->snapshot.ReleaseTables();
      ReturnFreeMemoryToSystem();
    });
  }
  reporter.Fact("programs", session->harness.window.appCount);
}

}  // namespace halvane::bench
