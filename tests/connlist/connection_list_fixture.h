#pragma once
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "connlist/connection_list.h"
#include "fakes/fake_connection_tables.h"
#include "fakes/fake_list_window.h"
#include "fakes/fake_process_identity.h"
#include "snapshot/connection_snapshot.h"
#include "view/connection_view_model.h"

namespace halvane {

inline constexpr const char* kTestDescSystem = "DESC-SYSTEM";
inline constexpr const char* kTestDescIdle = "DESC-IDLE";

// One row in a form that shows key, state and mark at a glance:
// "TCP 10 10.0.0.1:80>10.0.0.2:5000 [已建立] mark=add".
inline std::string Summary(const TMyRec& r) {
  return r.Protocol + " " + r.PID + " " + r.LocalIP + ":" + r.LocalPort + ">" + r.RemoteIP + ":" +
         r.RemotePort + " [" + r.State + "] mark=" + r.Mark;
}

// The fill and the refresh over the real view model, the snapshot fed by fake tables.
class ConnectionListTest : public ::testing::Test {
 protected:
  ConnectionListTest()
      : snapshot(tables, identity),
        list(snapshot, view, window, {kTestDescSystem, kTestDescIdle}) {}

  void Fill(std::vector<RawTcpRow> tcp, std::vector<RawUdpRow> udp = {}) {
    tables.tcp = std::move(tcp);
    tables.udp = std::move(udp);
    list.FillConnectionList();
  }

  void Refresh(std::vector<RawTcpRow> tcp, std::vector<RawUdpRow> udp = {}) {
    tables.tcp = std::move(tcp);
    tables.udp = std::move(udp);
    list.RefreshConnectionList();
  }

  std::vector<const TMyRec*> Records() const {
    std::vector<const TMyRec*> records;
    for (std::size_t i = 0; i < view.RowCount(); ++i)
      records.push_back(&view.RowAt(i)->record);
    return records;
  }

  // All rows in display order.
  std::vector<std::string> Rows() const {
    std::vector<std::string> rows;
    for (const TMyRec* r : Records())
      rows.push_back(Summary(*r));
    return rows;
  }

  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    for (const TMyRec* r : Records())
      names.push_back(r->ProcessName.str());
    return names;
  }

  std::vector<ListRow*> SelectedRows() const {
    std::vector<ListRow*> selected;
    for (std::size_t i = 0; i < view.RowCount(); ++i)
      if (view.RowAt(i)->selected)
        selected.push_back(view.RowAt(i));
    return selected;
  }

  // The row whose PID and local port are given, or null.
  ListRow* RowOf(const std::string& pid, const std::string& localPort) const {
    for (std::size_t i = 0; i < view.RowCount(); ++i) {
      const TMyRec& r = view.RowAt(i)->record;
      if (r.PID == pid && r.LocalPort == localPort)
        return view.RowAt(i);
    }
    return nullptr;
  }

  fakes::FakeProcessIdentity identity;
  fakes::FakeConnectionTables tables;
  ConnectionSnapshot snapshot;
  ConnectionViewModel view;
  fakes::FakeListWindow window;
  ConnectionList list;
};

}  // namespace halvane
