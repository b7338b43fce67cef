// The fast fill and refresh must give exactly what the plain loops give: the same rows in the
// same order with the same marks, the same selection and focus, and the same counters.
#include <gtest/gtest.h>

#include <random>

#include "connlist/connection_list.h"
#include "fakes/fake_connection_tables.h"
#include "fakes/fake_list_window.h"
#include "fakes/fake_process_identity.h"
#include "reference/literal_connection_list.h"
#include "view/connection_view_model.h"
#include "view/header_click.h"

namespace halvane {
namespace {

// Few distinct values, so that sort keys and row keys collide often.
const std::vector<std::string> kAddresses = {"127.0.0.1", "10.0.0.1", "0.0.0.0", "10.0.0.10"};
const std::vector<std::uint16_t> kPorts = {80, 443, 8080, 0};
const std::vector<std::int32_t> kStates = {2, 5, 8, 11, 0, 13};
const std::vector<int> kSortColumns = {-1, 0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13};

struct Side {
  Side(fakes::FakeConnectionTables& tables, fakes::FakeProcessIdentity& identity)
      : snapshot(tables, identity) {}
  ConnectionSnapshot snapshot;
  ConnectionViewModel view;
  fakes::FakeListWindow window;
};

class MergeEquivalence {
 public:
  explicit MergeEquivalence(unsigned seed)
      : random_(seed),
        literal_(tables_, identity_),
        fast_(tables_, identity_),
        literalList_(literal_.snapshot, literal_.view, literal_.window, {"SYS", "IDLE"}),
        fastList_(fast_.snapshot, fast_.view, fast_.window, {"SYS", "IDLE"}) {
    const std::vector<std::string> names = {"", "a", "A", "ab", "abc.exe", "b_", "System", "Z"};
    for (std::uint32_t pid = 0; pid < 8; ++pid) {
      const bool withPath = pid % 3 != 0;
      identity_.AddProcess(pid, names[pid], withPath ? "/usr/bin/" + names[pid] : "",
                           Pick({"", "desc", "Desc"}), Pick({"", "co", "Co_"}));
    }
    for (int i = 0; i < 40; ++i) {
      tcpPool_.push_back(fakes::Tcp(Pick(kStates), Pick(kAddresses), Pick(kPorts), Pick(kAddresses),
                                    Pick(kPorts), Below(8)));
      udpPool_.push_back(fakes::Udp(Pick(kAddresses), Pick(kPorts), Below(8)));
    }
  }

  void Run(int steps) {
    SetShowLocal(Below(3) != 0);
    ChooseSort();
    NewSnapshot();
    literalList_.FillConnectionList();
    fastList_.FillConnectionList();
    ExpectSame("fill");
    for (int step = 0; step < steps && !::testing::Test::HasFailure(); ++step) {
      NewSnapshot();
      if (Below(2)) {
        // As the window does it: rows noted, tables read and rows paired on the reading thread,
        // the user changing the view meanwhile, then the merge.
        fastList_.NoteRowsForPairing();
        fast_.snapshot.ReadConnectionTables();
        fastList_.PairNotedRows();
        ChangeTheWindow();
        literalList_.RefreshConnectionList();
        fastList_.MergeSnapshot();
      } else {
        ChangeTheWindow();
        literalList_.RefreshConnectionList();
        fastList_.RefreshConnectionList();
      }
      ExpectSame("refresh " + std::to_string(step));
    }
  }

 private:
  std::uint32_t Below(std::uint32_t n) {
    return std::uniform_int_distribution<std::uint32_t>(0, n - 1)(random_);
  }
  template <typename T>
  T Pick(const std::vector<T>& values) {
    return values[Below(static_cast<std::uint32_t>(values.size()))];
  }
  std::string Pick(std::initializer_list<const char*> values) {
    return *(values.begin() + Below(static_cast<std::uint32_t>(values.size())));
  }

  // Endpoints vanish and return; some change state; some appear twice.
  void NewSnapshot() {
    tables_.tcp.clear();
    tables_.udp.clear();
    for (RawTcpRow& row : tcpPool_) {
      if (Below(10) < 7) {
        if (Below(5) == 0)
          row.state = Pick(kStates);
        tables_.tcp.push_back(row);
        if (Below(15) == 0)
          tables_.tcp.push_back(row);
      }
    }
    for (const RawUdpRow& row : udpPool_)
      if (Below(10) < 7)
        tables_.udp.push_back(row);
    std::shuffle(tables_.tcp.begin(), tables_.tcp.end(), random_);
  }

  void ChooseSort() {
    if (Below(2)) {
      const int column = Pick(kSortColumns);
      VTSHeaderClick(literal_.view, column);
      VTSHeaderClick(fast_.view, column);
    } else {
      const SortDirection d = Below(2) ? SortDirection::Ascending : SortDirection::Descending;
      const int column = Pick(kSortColumns);
      for (ConnectionViewModel* v : {&literal_.view, &fast_.view}) {
        v->SetSortColumn(column);
        v->SetDirection(d);
      }
    }
  }

  void ChangeTheWindow() {
    switch (Below(6)) {
      case 0:
        ChooseSort();
        break;
      case 1:
        SetShowLocal(!literal_.window.showLocal);
        break;
      case 2:
        SelectRandomRow();
        break;
      default:
        break;
    }
  }

  void SetShowLocal(bool on) { literal_.window.showLocal = fast_.window.showLocal = on; }

  void SelectRandomRow() {
    if (literal_.view.RowCount() == 0)
      return;
    const std::size_t at = Below(static_cast<std::uint32_t>(literal_.view.RowCount()));
    for (ConnectionViewModel* v : {&literal_.view, &fast_.view}) {
      v->SelectRow(v->RowAt(at));
      v->FocusRow(v->RowAt(at));
    }
  }

  static std::string Describe(ConnectionViewModel& view) {
    std::string text;
    for (std::size_t i = 0; i < view.RowCount(); ++i) {
      const TMyRec& r = view.RowAt(i)->record;
      text += r.Protocol + "|" + r.State + "|" + r.LocalIP + ":" + r.LocalPort + "|" + r.RemoteIP +
              ":" + r.RemotePort + "|" + r.PID + "|" + r.ProcessName + "|" + r.ProcessPath + "|" +
              r.Description + "|" + r.Company + "|" + r.Mark;
      if (view.RowAt(i) == view.SelectedRow())
        text += " [selected]";
      if (view.RowAt(i) == view.FocusedRow())
        text += " [focused]";
      text += "\n";
    }
    return text;
  }

  void ExpectSame(const std::string& when) {
    const std::string context =
        when + ", sort column " + std::to_string(literal_.view.SortColumn()) +
        (literal_.view.Direction() == SortDirection::Ascending ? " asc" : " desc");
    ASSERT_EQ(Describe(fast_.view), Describe(literal_.view)) << context;
    EXPECT_EQ(fast_.window.netCount, literal_.window.netCount) << context;
    EXPECT_EQ(fast_.window.appCount, literal_.window.appCount) << context;
    EXPECT_EQ(fast_.view.SelectedCount(), literal_.view.SelectedCount()) << context;
  }

  std::mt19937 random_;
  fakes::FakeConnectionTables tables_;
  fakes::FakeProcessIdentity identity_;
  Side literal_;
  Side fast_;
  LiteralConnectionList literalList_;
  ConnectionList fastList_;
  std::vector<RawTcpRow> tcpPool_;
  std::vector<RawUdpRow> udpPool_;
};

TEST(MergeEquivalenceTest, FastListAgreesWithThePlainLoopsOnRandomSequences) {
  for (unsigned seed = 1; seed <= 300 && !::testing::Test::HasFailure(); ++seed) {
    SCOPED_TRACE("seed " + std::to_string(seed));
    MergeEquivalence(seed).Run(12);
  }
}

}  // namespace
}  // namespace halvane
