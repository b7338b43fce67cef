#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cctype>
#include <ostream>

#include "connlist/connection_list_fixture.h"

namespace halvane {
namespace {

using fakes::Tcp;
using fakes::Udp;

TEST(CountProgramsTest, CountsEachMarkerOnceFromLeftToRight) {
  const struct {
    const char* text;
    int count;
  } cases[] = {{"", 0},
               {"@$!", 1},
               {"@$!a.exe", 1},
               {"@$!a.exe@$!b.exe", 2},
               {"@$!x@$!y.exe", 2},
               {"@$!@$!", 2},
               {"@$@$!!", 1},
               {"@$!$!", 1},
               {"@@$!!", 1},
               {"a.exe", 0},
               {"@$", 0}};
  for (const auto& c : cases)
    EXPECT_EQ(CountPrograms(c.text), c.count) << c.text;
}

// One endpoint of a process; an empty path means no known program file.
struct Endpoint {
  std::uint32_t pid;
  const char* name;
  const char* path;
  bool udp = false;
};

struct ProgramCountCase {
  const char* name;
  std::vector<Endpoint> endpoints;  // TCP ones before UDP ones, as the tables are read
  const char* count;
};

void PrintTo(const ProgramCountCase& c, std::ostream* os) {
  *os << c.name;
}

class ProgramCount : public ConnectionListTest,
                     public ::testing::WithParamInterface<std::tuple<ProgramCountCase, bool>> {
 protected:
  void ReadEndpoints(const std::vector<Endpoint>& endpoints, bool viaRefresh) {
    std::vector<RawTcpRow> tcp;
    std::vector<RawUdpRow> udp;
    std::uint16_t port = 1000;
    for (const Endpoint& e : endpoints) {
      identity.names[e.pid] = e.name;
      if (*e.path)
        identity.paths[e.pid] = e.path;
      if (e.udp)
        udp.push_back(Udp("0.0.0.0", port++, e.pid));
      else
        tcp.push_back(Tcp(2, "0.0.0.0", port++, "0.0.0.0", 0, e.pid));
    }
    if (viaRefresh) {
      Fill({});
      Refresh(tcp, udp);
    } else {
      Fill(tcp, udp);
    }
  }
};

TEST_P(ProgramCount, CountsTheNamesCollectedInTableOrder) {
  const auto& [c, viaRefresh] = GetParam();
  ReadEndpoints(c.endpoints, viaRefresh);
  EXPECT_EQ(window.appCount, c.count);
  EXPECT_EQ(window.netCount, std::to_string(c.endpoints.size()));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ProgramCount,
    ::testing::Combine(
        ::testing::Values(
            ProgramCountCase{"None", {}, "0"},
            ProgramCountCase{"TwoProcessesOfOneName",
                             {{1, "svchost.exe", "C:\\w\\svchost.exe"},
                              {2, "svchost.exe", "C:\\w\\svchost.exe"}},
                             "1"},
            ProgramCountCase{"TwoRowsOfOneProcess",
                             {{1, "a.exe", "C:\\a.exe"}, {1, "a.exe", "C:\\a.exe", true}},
                             "1"},
            ProgramCountCase{
                "LongerNameFirst", {{1, "abc.exe", "C:\\abc.exe"}, {2, "ab", "C:\\ab"}}, "1"},
            ProgramCountCase{
                "ShorterNameFirst", {{1, "ab", "C:\\ab"}, {2, "abc.exe", "C:\\abc.exe"}}, "2"},
            ProgramCountCase{
                "TcpBeforeUdp", {{1, "ab", "C:\\ab"}, {2, "abc.exe", "C:\\abc.exe", true}}, "2"},
            ProgramCountCase{
                "CaseSensitive", {{1, "A.exe", "C:\\A.exe"}, {2, "a.exe", "C:\\a.exe"}}, "2"},
            ProgramCountCase{
                "EmptyNameWithPathFirst", {{1, "", "C:\\x.exe"}, {2, "a.exe", "C:\\a.exe"}}, "2"},
            ProgramCountCase{"EmptyNameWithPathAfterAnother",
                             {{2, "a.exe", "C:\\a.exe"}, {1, "", "C:\\x.exe"}},
                             "1"},
            ProgramCountCase{"EmptyNameWithPathAlone", {{1, "", "C:\\x.exe"}}, "1"},
            ProgramCountCase{"NameHoldingTheMarker", {{1, "x@$!y.exe", "C:\\x.exe"}}, "2"},
            ProgramCountCase{"PathlessProcessesNeverCount",
                             {{0, "", ""}, {4, "System", ""}, {4, "System", "", true}},
                             "0"},
            ProgramCountCase{"PathlessRowDoesNotCollectItsName",
                             {{5, "ab", ""}, {6, "abc.exe", "C:\\abc.exe"}},
                             "1"}),
        ::testing::Bool()),
    [](const auto& tc) {
      return std::string(std::get<0>(tc.param).name) +
             (std::get<1>(tc.param) ? "ViaRefresh" : "ViaFill");
    });

// A refresh collects the surviving rows in display order, then the new endpoints in table order.
TEST_F(ConnectionListTest, RefreshCollectsSurvivingRowsInDisplayOrder) {
  identity.AddProcess(1, "abc.exe", "C:\\abc.exe");
  identity.AddProcess(2, "ab", "C:\\ab");
  const std::vector<RawTcpRow> tcp = {Tcp(2, "0.0.0.0", 1, "0.0.0.0", 0, 1),
                                      Tcp(2, "0.0.0.0", 2, "0.0.0.0", 0, 2)};
  Fill(tcp);
  EXPECT_EQ(window.appCount, "1");

  Refresh(tcp);  // ascending by name: ab comes before abc.exe
  EXPECT_EQ(window.appCount, "2");

  view.SetDirection(SortDirection::Descending);
  Refresh(tcp);  // abc.exe first again
  EXPECT_EQ(window.appCount, "1");
}

TEST_F(ConnectionListTest, RefreshCollectsSurvivingRowsBeforeNewEndpoints) {
  identity.AddProcess(1, "abc.exe", "C:\\abc.exe");
  identity.AddProcess(2, "ab", "C:\\ab");
  Fill({Tcp(2, "0.0.0.0", 1, "0.0.0.0", 0, 1)});
  // The new ab endpoint comes first in the table but after the surviving abc.exe row.
  Refresh({Tcp(2, "0.0.0.0", 2, "0.0.0.0", 0, 2), Tcp(2, "0.0.0.0", 1, "0.0.0.0", 0, 1)});
  EXPECT_EQ(window.appCount, "1");
}

TEST_F(ConnectionListTest, VanishedRowsNoLongerCount) {
  identity.AddProcess(1, "a.exe", "C:\\a.exe");
  identity.AddProcess(2, "b.exe", "C:\\b.exe");
  Fill({Tcp(2, "0.0.0.0", 1, "0.0.0.0", 0, 1)}, {Udp("0.0.0.0", 2, 2)});
  EXPECT_EQ(window.appCount, "2");
  Refresh({}, {Udp("0.0.0.0", 2, 2)});
  EXPECT_EQ(window.appCount, "1");
}

// Rows without a program file get one of the two fixed descriptions.
struct PathlessCase {
  const char* processName;
  const char* description;
};

void PrintTo(const PathlessCase& c, std::ostream* os) {
  *os << ::testing::PrintToString(std::string(c.processName));
}

class PathlessDescription : public ConnectionListTest,
                            public ::testing::WithParamInterface<std::tuple<PathlessCase, bool>> {};

TEST_P(PathlessDescription, SystemOnlyByItsExactName) {
  const auto& [c, viaRefresh] = GetParam();
  identity.names[4] = c.processName;
  identity.versions[""] = {"never used", "Company"};
  const std::vector<RawTcpRow> tcp = {Tcp(2, "0.0.0.0", 445, "0.0.0.0", 0, 4)};
  const std::vector<RawUdpRow> udp = {Udp("0.0.0.0", 137, 4)};
  if (viaRefresh) {
    Fill({});
    Refresh(tcp, udp);
  } else {
    Fill(tcp, udp);
  }
  ASSERT_EQ(view.RowCount(), 2u);
  for (const TMyRec* r : Records()) {
    EXPECT_EQ(r->ProcessName, c.processName);
    EXPECT_EQ(r->ProcessPath, "");
    EXPECT_EQ(r->Description, c.description);
  }
  EXPECT_EQ(window.appCount, "0");
}

INSTANTIATE_TEST_SUITE_P(
    Names, PathlessDescription,
    ::testing::Combine(::testing::Values(PathlessCase{"System", kTestDescSystem},
                                         PathlessCase{"system", kTestDescIdle},
                                         PathlessCase{"SYSTEM", kTestDescIdle},
                                         PathlessCase{"System ", kTestDescIdle},
                                         PathlessCase{"", kTestDescIdle},
                                         PathlessCase{"Idle", kTestDescIdle},
                                         PathlessCase{"svchost.exe", kTestDescIdle}),
                       ::testing::Bool()),
    [](const auto& tc) {
      std::string name;
      for (char ch : std::string(std::get<0>(tc.param).processName))
        if (std::isalnum(static_cast<unsigned char>(ch)))
          name += ch;
      return "Name" + name + std::to_string(tc.index);
    });

TEST_F(ConnectionListTest, ProgramNamedSystemWithAFileKeepsItsOwnDescription) {
  identity.AddProcess(900, "System", "C:\\tools\\System", "A tool", "Tool Co");
  Fill({Tcp(2, "0.0.0.0", 1, "0.0.0.0", 0, 900)});
  EXPECT_EQ(view.RowAt(0)->record.Description, "A tool");
  EXPECT_EQ(window.appCount, "1");
}

}  // namespace
}  // namespace halvane
