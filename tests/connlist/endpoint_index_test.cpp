#include "connlist/endpoint_index.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace halvane {
namespace {

File_Rec Endpoint(std::string pid, std::string localIp, std::string localPort,
                  std::string remoteIp = "", std::string remotePort = "", std::int32_t state = 5) {
  File_Rec rec;
  rec.StateCode = state;
  rec.PID = std::move(pid);
  rec.LocalIP = std::move(localIp);
  rec.LocalPort = std::move(localPort);
  rec.RemoteIP = std::move(remoteIp);
  rec.RemotePort = std::move(remotePort);
  return rec;
}

TMyRec RowOf(const File_Rec& e) {
  TMyRec row;
  row.PID = e.PID;
  row.LocalIP = e.LocalIP;
  row.LocalPort = e.LocalPort;
  row.RemoteIP = e.RemoteIP;
  row.RemotePort = e.RemotePort;
  return row;
}

TEST(EndpointIndexTest, EndpointsOfOneKeyAreTakenInArrayOrder) {
  FileRecArray endpoints = {Endpoint("7", "10.0.0.1", "80", "10.0.0.2", "5000", 5),
                            Endpoint("7", "10.0.0.1", "81", "10.0.0.2", "5000", 2),
                            Endpoint("7", "10.0.0.1", "80", "10.0.0.2", "5000", 8),
                            Endpoint("7", "10.0.0.1", "80", "10.0.0.2", "5000", 11)};
  EndpointIndex index(endpoints, true);
  const TMyRec row = RowOf(endpoints[0]);
  for (const std::uint32_t expected : {0u, 2u, 3u}) {
    const std::uint32_t at = index.FirstFree(row);
    ASSERT_EQ(at, expected);
    EXPECT_EQ(index.StateCodeOf(at), endpoints[expected].StateCode);
    EXPECT_EQ(index.FirstFree(row), expected) << "not taken until Take";
    index.Take(at);
  }
  EXPECT_EQ(index.FirstFree(row), EndpointIndex::kNone);
  EXPECT_EQ(index.FirstFree(RowOf(endpoints[1])), 1u);
}

TEST(EndpointIndexTest, MarkTakenSetsMatchedOnTheTakenEndpointsOnly) {
  FileRecArray endpoints = {Endpoint("1", "0.0.0.0", "53"), Endpoint("1", "0.0.0.0", "53"),
                            Endpoint("2", "0.0.0.0", "53")};
  EndpointIndex index(endpoints, false);
  index.Take(index.FirstFree(RowOf(endpoints[2])));
  index.Take(index.FirstFree(RowOf(endpoints[0])));
  EXPECT_EQ(endpoints[0].Matched, "") << "marked only by MarkTaken";
  index.MarkTaken();
  EXPECT_EQ(endpoints[0].Matched, "ok");
  EXPECT_EQ(endpoints[1].Matched, "");
  EXPECT_EQ(endpoints[2].Matched, "ok");
}

TEST(EndpointIndexTest, EndpointMatchedBeforeTheIndexCountsAsTaken) {
  FileRecArray endpoints = {Endpoint("1", "0.0.0.0", "53"), Endpoint("1", "0.0.0.0", "53")};
  endpoints[0].Matched = "ok";
  EndpointIndex index(endpoints, false);
  EXPECT_EQ(index.FirstFree(RowOf(endpoints[0])), 1u);
}

struct KeyCase {
  const char* name;
  bool tcp;
  File_Rec endpoint;
  TMyRec row;
  bool found;
};

TMyRec Row(std::string pid, std::string localIp, std::string localPort, std::string remoteIp,
           std::string remotePort) {
  return RowOf(Endpoint(std::move(pid), std::move(localIp), std::move(localPort),
                        std::move(remoteIp), std::move(remotePort)));
}

TEST(EndpointIndexTest, EveryKeyFieldCountsAndNothingElse) {
  const std::string longText(300, 'x');
  const std::vector<KeyCase> cases = {
      {"SameTcpKey", true, Endpoint("1", "a", "2", "b", "3"), Row("1", "a", "2", "b", "3"), true},
      {"OtherRemotePort", true, Endpoint("1", "a", "2", "b", "3"), Row("1", "a", "2", "b", "4"),
       false},
      {"OtherPid", true, Endpoint("1", "a", "2", "b", "3"), Row("9", "a", "2", "b", "3"), false},
      {"FieldsShiftedAcrossTheBorder", true, Endpoint("1", "23", "4", "5", "6"),
       Row("12", "3", "4", "5", "6"), false},
      {"UdpIgnoresTheRemoteEnd", false, Endpoint("1", "a", "2", "", ""),
       Row("1", "a", "2", "b", "3"), true},
      {"LongFields", true, Endpoint(longText, longText, "2", longText, "3"),
       Row(longText, longText, "2", longText, "3"), true},
      {"LongFieldOneByteShorter", true, Endpoint(longText, "a", "2", "b", "3"),
       Row(longText.substr(1), "a", "2", "b", "3"), false},
      {"EmptyFields", true, Endpoint("", "", "", "", ""), Row("", "", "", "", ""), true},
  };
  for (const KeyCase& test : cases) {
    FileRecArray endpoints = {test.endpoint};
    EndpointIndex index(endpoints, test.tcp);
    EXPECT_EQ(index.FirstFree(test.row) != EndpointIndex::kNone, test.found) << test.name;
  }
}

TEST(EndpointIndexTest, ManyKeysEachFindTheirOwn) {
  FileRecArray endpoints;
  for (int i = 0; i < 5000; ++i)
    endpoints.push_back(Endpoint(std::to_string(i % 97), "10.0." + std::to_string(i % 251) + ".1",
                                 std::to_string(i), "127.0.0.1", std::to_string(i % 13)));
  EndpointIndex index(endpoints, true);
  for (std::uint32_t i = 0; i < endpoints.size(); ++i)
    ASSERT_EQ(index.FirstFree(RowOf(endpoints[i])), i);
  EXPECT_EQ(index.FirstFree(Row("1", "10.0.1.1", "99999", "127.0.0.1", "0")), EndpointIndex::kNone);
}

}  // namespace
}  // namespace halvane
