#include "snapshot/connection_snapshot.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "fakes/fake_connection_tables.h"
#include "fakes/fake_process_identity.h"

namespace halvane {
namespace {

using fakes::CallLog;
using fakes::FakeConnectionTables;
using fakes::FakeProcessIdentity;
using fakes::Tcp;
using fakes::Udp;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

class ReadConnectionTablesTest : public ::testing::Test {
 protected:
  ReadConnectionTablesTest() : tables(&identity.log), snapshot(tables, identity) {}

  FakeProcessIdentity identity;
  FakeConnectionTables tables;
  ConnectionSnapshot snapshot;
};

TEST_F(ReadConnectionTablesTest, TakesOneProcessSnapshotBeforeTheTablesAndLooksUpEachRowInOrder) {
  identity.AddProcess(10, "a.exe", "C:\\a.exe", "A", "A Inc");
  identity.AddProcess(20, "b.exe", "C:\\b.exe", "B", "B Inc");
  tables.tcp = {Tcp(2, "0.0.0.0", 80, "0.0.0.0", 0, 10),
                Tcp(5, "10.0.0.1", 80, "10.0.0.2", 5000, 20)};
  identity.AddProcess(30, "c.exe", "C:\\c.exe", "C", "C Inc");
  tables.udp = {Udp("0.0.0.0", 53, 30), Udp("0.0.0.0", 54, 20)};

  snapshot.ReadConnectionTables();

  EXPECT_THAT(identity.log, ElementsAre("snapshot", "tcp table",                    //
                                        "name 10", "path 10", "version C:\\a.exe",  //
                                        "name 20", "path 20", "version C:\\b.exe",  //
                                        "udp table",                                //
                                        "name 30", "path 30", "version C:\\c.exe",  //
                                        "close snapshot"));
  EXPECT_EQ(snapshot.UdpRecs[1].ProcessName, "b.exe");
  EXPECT_EQ(snapshot.UdpRecs[1].Company, "B Inc");
}

TEST_F(ReadConnectionTablesTest, FillsEveryTcpFieldFromItsRow) {
  identity.AddProcess(0x80000001u, "svc.exe", "C:\\svc.exe", "Service", "Svc Corp");
  tables.tcp = {Tcp(5, "192.168.1.5", 50123, "93.184.216.34", 443, 0x80000001u)};

  snapshot.ReadConnectionTables();

  ASSERT_EQ(snapshot.TcpRecs.size(), 1u);
  const File_Rec& r = snapshot.TcpRecs[0];
  EXPECT_EQ(r.StateCode, 5);
  EXPECT_EQ(r.LocalIP, "192.168.1.5");
  EXPECT_EQ(r.LocalPort, "50123");
  EXPECT_EQ(r.RemoteIP, "93.184.216.34");
  EXPECT_EQ(r.RemotePort, "443");
  EXPECT_EQ(r.PID, "2147483649");
  EXPECT_EQ(r.ProcessName, "svc.exe");
  EXPECT_EQ(r.ProcessPath, "C:\\svc.exe");
  EXPECT_EQ(r.Description, "Service");
  EXPECT_EQ(r.Company, "Svc Corp");
  EXPECT_EQ(r.Matched, "");
}

TEST_F(ReadConnectionTablesTest, KeepsStatesOutsideTheKnownRange) {
  tables.tcp = {Tcp(0, "0.0.0.0", 1, "0.0.0.0", 0, 1), Tcp(13, "0.0.0.0", 2, "0.0.0.0", 0, 1),
                Tcp(-1, "0.0.0.0", 3, "0.0.0.0", 0, 1)};
  snapshot.ReadConnectionTables();
  ASSERT_EQ(snapshot.TcpRecs.size(), 3u);
  EXPECT_EQ(snapshot.TcpRecs[0].StateCode, 0);
  EXPECT_EQ(snapshot.TcpRecs[1].StateCode, 13);
  EXPECT_EQ(snapshot.TcpRecs[2].StateCode, -1);
}

TEST_F(ReadConnectionTablesTest, UdpElementsHaveStateZeroAndNoRemoteEnd) {
  identity.AddProcess(30, "dns.exe", "C:\\dns.exe", "DNS", "Net Co");
  tables.udp = {Udp("127.0.0.1", 53, 30), Udp("0.0.0.0", 5353, 31)};

  snapshot.ReadConnectionTables();

  ASSERT_EQ(snapshot.UdpRecs.size(), 2u);
  for (const File_Rec& r : snapshot.UdpRecs) {
    EXPECT_EQ(r.StateCode, 0);
    EXPECT_EQ(r.RemoteIP, "");
    EXPECT_EQ(r.RemotePort, "");
    EXPECT_EQ(r.Matched, "");
  }
  EXPECT_EQ(snapshot.UdpRecs[0].LocalIP, "127.0.0.1");
  EXPECT_EQ(snapshot.UdpRecs[0].LocalPort, "53");
  EXPECT_EQ(snapshot.UdpRecs[0].PID, "30");
  EXPECT_EQ(snapshot.UdpRecs[0].ProcessName, "dns.exe");
  EXPECT_EQ(snapshot.UdpRecs[0].Description, "DNS");
  EXPECT_EQ(snapshot.UdpRecs[0].Company, "Net Co");
  EXPECT_EQ(snapshot.UdpRecs[1].PID, "31");
  EXPECT_EQ(snapshot.UdpRecs[1].ProcessName, "");
}

TEST_F(ReadConnectionTablesTest, SeveralRowsOfOneProcessShareOneLookupPerSnapshot) {
  identity.AddProcess(7, "web.exe", "C:\\web.exe", "Web", "Web Ltd");
  tables.tcp = {Tcp(2, "0.0.0.0", 80, "0.0.0.0", 0, 7), Tcp(2, "0.0.0.0", 443, "0.0.0.0", 0, 7),
                Tcp(5, "10.0.0.1", 443, "10.0.0.9", 6000, 7)};

  snapshot.ReadConnectionTables();

  EXPECT_EQ(std::count(identity.log.begin(), identity.log.end(), "name 7"), 1);
  EXPECT_EQ(std::count(identity.log.begin(), identity.log.end(), "path 7"), 1);
  EXPECT_EQ(std::count(identity.log.begin(), identity.log.end(), "version C:\\web.exe"), 1);
  EXPECT_EQ(std::count(identity.log.begin(), identity.log.end(), "snapshot"), 1);
  // Nothing is kept between snapshots: the next call looks the process up again.
  identity.AddProcess(7, "web2.exe", "C:\\web2.exe", "Web 2", "Web Ltd");
  snapshot.ReadConnectionTables();
  EXPECT_EQ(snapshot.TcpRecs[2].ProcessPath, "C:\\web2.exe");
  identity.AddProcess(7, "web.exe", "C:\\web.exe", "Web", "Web Ltd");
  snapshot.ReadConnectionTables();
  for (const File_Rec& r : snapshot.TcpRecs) {
    EXPECT_EQ(r.ProcessName, "web.exe");
    EXPECT_EQ(r.ProcessPath, "C:\\web.exe");
    EXPECT_EQ(r.Description, "Web");
    EXPECT_EQ(r.Company, "Web Ltd");
  }
}

TEST_F(ReadConnectionTablesTest, CompanyOfOneRowDoesNotLeakIntoTheNext) {
  identity.AddProcess(1, "a.exe", "C:\\a.exe", "A", "A Inc");
  identity.names[2] = "locked.exe";
  identity.paths[2] = "C:\\locked.exe";  // a file without version strings
  tables.tcp = {Tcp(2, "0.0.0.0", 1, "0.0.0.0", 0, 1), Tcp(2, "0.0.0.0", 2, "0.0.0.0", 0, 2)};
  tables.udp = {Udp("0.0.0.0", 3, 3)};

  snapshot.ReadConnectionTables();

  EXPECT_EQ(snapshot.TcpRecs[1].Company, "");
  EXPECT_EQ(snapshot.TcpRecs[1].Description, "");
  EXPECT_EQ(snapshot.UdpRecs[0].Company, "");
  EXPECT_THAT(identity.log, ::testing::Not(::testing::Contains("company not emptied")));
}

TEST_F(ReadConnectionTablesTest, ProcessThatCannotBeOpenedIsStillRecorded) {
  identity.names[4] = "System";  // listed, but without a readable program file
  tables.tcp = {Tcp(2, "0.0.0.0", 445, "0.0.0.0", 0, 4)};

  snapshot.ReadConnectionTables();

  ASSERT_EQ(snapshot.TcpRecs.size(), 1u);
  EXPECT_EQ(snapshot.TcpRecs[0].ProcessName, "System");
  EXPECT_EQ(snapshot.TcpRecs[0].ProcessPath, "");
  EXPECT_EQ(snapshot.TcpRecs[0].Description, "");
  EXPECT_EQ(snapshot.TcpRecs[0].Company, "");
  EXPECT_THAT(identity.log, ::testing::Contains("version "));
}

TEST_F(ReadConnectionTablesTest, ProcessStartedAfterTheSnapshotHasNoNameButTheRestIsLookedUp) {
  identity.paths[50] = "C:\\late.exe";
  identity.versions["C:\\late.exe"] = {"Late", "Late Co"};
  tables.tcp = {Tcp(5, "10.0.0.1", 1000, "10.0.0.2", 80, 50)};

  snapshot.ReadConnectionTables();

  const File_Rec& r = snapshot.TcpRecs[0];
  EXPECT_EQ(r.ProcessName, "");
  EXPECT_EQ(r.ProcessPath, "C:\\late.exe");
  EXPECT_EQ(r.Description, "Late");
  EXPECT_EQ(r.Company, "Late Co");
}

TEST_F(ReadConnectionTablesTest, WithoutAProcessSnapshotNamesAreEmptyAndTheRestFilled) {
  identity.AddProcess(9, "x.exe", "C:\\x.exe", "X", "X Co");
  identity.snapshotAvailable = false;
  tables.tcp = {Tcp(5, "10.0.0.1", 1000, "10.0.0.2", 80, 9)};
  tables.udp = {Udp("0.0.0.0", 67, 9)};

  snapshot.ReadConnectionTables();

  for (const File_Rec* r : {&snapshot.TcpRecs.at(0), &snapshot.UdpRecs.at(0)}) {
    EXPECT_EQ(r->ProcessName, "");
    EXPECT_EQ(r->ProcessPath, "C:\\x.exe");
    EXPECT_EQ(r->Description, "X");
    EXPECT_EQ(r->Company, "X Co");
    EXPECT_EQ(r->PID, "9");
  }
  EXPECT_EQ(snapshot.TcpRecs[0].LocalPort, "1000");
  EXPECT_EQ(snapshot.UdpRecs[0].LocalPort, "67");
}

TEST_F(ReadConnectionTablesTest, EachCallReplacesBothArraysWholesale) {
  identity.AddProcess(1, "old.exe", "C:\\old.exe", "Old", "Old Co");
  tables.tcp = {Tcp(5, "10.0.0.1", 1, "10.0.0.2", 2, 1), Tcp(5, "10.0.0.1", 3, "10.0.0.2", 4, 1)};
  tables.udp = {Udp("0.0.0.0", 53, 1)};
  snapshot.ReadConnectionTables();
  snapshot.TcpRecs[0].Matched = "ok";
  snapshot.TcpRecs[1].Matched = "ok";
  snapshot.UdpRecs[0].Matched = "ok";

  identity.names.clear();
  identity.paths.clear();
  tables.tcp = {Tcp(2, "0.0.0.0", 8, "0.0.0.0", 0, 2)};
  tables.udp = {};
  snapshot.ReadConnectionTables();

  ASSERT_EQ(snapshot.TcpRecs.size(), 1u);
  const File_Rec& r = snapshot.TcpRecs[0];
  EXPECT_EQ(r.StateCode, 2);
  EXPECT_EQ(r.LocalPort, "8");
  EXPECT_EQ(r.PID, "2");
  EXPECT_EQ(r.ProcessName, "");
  EXPECT_EQ(r.ProcessPath, "");
  EXPECT_EQ(r.Description, "");
  EXPECT_EQ(r.Company, "");
  EXPECT_EQ(r.Matched, "");
  EXPECT_THAT(snapshot.UdpRecs, IsEmpty());
}

TEST_F(ReadConnectionTablesTest, MatchedIsEmptyAgainAfterARefreshMarkedTheSameEndpoints) {
  identity.AddProcess(1, "a.exe", "C:\\a.exe");
  tables.tcp = {Tcp(5, "10.0.0.1", 1, "10.0.0.2", 2, 1)};
  tables.udp = {Udp("0.0.0.0", 53, 1)};
  snapshot.ReadConnectionTables();
  snapshot.TcpRecs[0].Matched = "ok";
  snapshot.UdpRecs[0].Matched = "ok";

  snapshot.ReadConnectionTables();

  ASSERT_EQ(snapshot.TcpRecs.size(), 1u);
  ASSERT_EQ(snapshot.UdpRecs.size(), 1u);
  EXPECT_EQ(snapshot.TcpRecs[0].Matched, "");
  EXPECT_EQ(snapshot.UdpRecs[0].Matched, "");
}

void Scribble(FileRecArray& recs) {
  for (File_Rec& r : recs) {
    r.StateCode = 77;
    for (RecText* text : {&r.LocalIP, &r.LocalPort, &r.RemoteIP, &r.RemotePort, &r.PID,
                          &r.ProcessName, &r.ProcessPath, &r.Description, &r.Company, &r.Matched}) {
      *text = "a text far longer than any field of the next snapshot holds";
    }
  }
}

void ExpectSameRecs(const FileRecArray& got, const FileRecArray& want) {
  ASSERT_EQ(got.size(), want.size());
  for (std::size_t i = 0; i < got.size(); ++i) {
    const File_Rec& a = got[i];
    const File_Rec& b = want[i];
    EXPECT_EQ(a.StateCode, b.StateCode) << i;
    EXPECT_EQ(std::tie(a.LocalIP, a.LocalPort, a.RemoteIP, a.RemotePort, a.PID),
              std::tie(b.LocalIP, b.LocalPort, b.RemoteIP, b.RemotePort, b.PID))
        << i;
    EXPECT_EQ(std::tie(a.ProcessName, a.ProcessPath, a.Description, a.Company, a.Matched),
              std::tie(b.ProcessName, b.ProcessPath, b.Description, b.Company, b.Matched))
        << i;
  }
}

// The arrays reuse their elements from one snapshot to the next: whatever an element held
// before, the next snapshot leaves it as a first snapshot would, in every field.
TEST_F(ReadConnectionTablesTest, NextSnapshotWritesOverEveryFieldOfTheElementsItReuses) {
  identity.AddProcess(1, "a.exe", "C:\\a.exe", "A", "A Inc");
  tables.tcp = {Tcp(5, "10.0.0.1", 1, "10.0.0.2", 2, 1), Tcp(5, "10.0.0.1", 3, "10.0.0.2", 4, 1),
                Tcp(2, "0.0.0.0", 80, "0.0.0.0", 0, 1)};
  tables.udp = {Udp("0.0.0.0", 53, 1), Udp("0.0.0.0", 54, 1)};
  snapshot.ReadConnectionTables();
  Scribble(snapshot.TcpRecs);
  Scribble(snapshot.UdpRecs);

  identity.names[4] = "System";
  tables.tcp = {Tcp(11, "127.0.0.1", 9, "127.0.0.1", 10, 4), Tcp(1, "0.0.0.0", 0, "0.0.0.0", 0, 0)};
  tables.udp = {Udp("127.0.0.1", 5353, 4), Udp("0.0.0.0", 68, 0), Udp("0.0.0.0", 69, 1)};
  snapshot.ReadConnectionTables();

  FakeConnectionTables sameTables;
  sameTables.tcp = tables.tcp;
  sameTables.udp = tables.udp;
  ConnectionSnapshot fresh(sameTables, identity);
  fresh.ReadConnectionTables();
  ExpectSameRecs(snapshot.TcpRecs, fresh.TcpRecs);
  ExpectSameRecs(snapshot.UdpRecs, fresh.UdpRecs);
  EXPECT_EQ(snapshot.UdpRecs[2].ProcessName, "a.exe");
  EXPECT_EQ(snapshot.UdpRecs[0].RemoteIP, "");
}

TEST_F(ReadConnectionTablesTest, EmptyTablesGiveEmptyArraysAndEachCallTakesItsOwnSnapshot) {
  snapshot.ReadConnectionTables();
  EXPECT_THAT(snapshot.TcpRecs, IsEmpty());
  EXPECT_THAT(snapshot.UdpRecs, IsEmpty());

  tables.udp = {Udp("0.0.0.0", 53, 1)};
  snapshot.ReadConnectionTables();
  EXPECT_THAT(snapshot.TcpRecs, IsEmpty());
  EXPECT_EQ(snapshot.UdpRecs.size(), 1u);
  EXPECT_THAT(identity.log, ElementsAre("snapshot", "tcp table", "udp table", "close snapshot",
                                        "snapshot", "tcp table", "udp table", "name 1", "path 1",
                                        "version ", "close snapshot"));
}

}  // namespace
}  // namespace halvane
