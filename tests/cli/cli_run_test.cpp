#include "cli/cli_run.h"

#include <gtest/gtest.h>

#include <sstream>

#include "fakes/fake_connection_tables.h"
#include "fakes/fake_process_identity.h"

namespace halvane {
namespace {

using fakes::Tcp;
using fakes::Udp;

class CliRunTest : public ::testing::Test {
 protected:
  CliRunTest() {
    identity.AddProcess(100, "nginx", "/usr/sbin/nginx", "HTTP server", "Nginx Inc");
    identity.AddProcess(200, "curl", "/usr/bin/curl");
    tables.tcp = {Tcp(2, "0.0.0.0", 80, "0.0.0.0", 0, 100),
                  Tcp(5, "127.0.0.1", 5000, "127.0.0.1", 80, 200)};
    tables.udp = {Udp("127.0.0.1", 53, 100)};
  }

  int Run(const std::vector<std::string>& args) {
    const CliParseResult parsed = ParseCliOptions(args);
    EXPECT_TRUE(parsed.error.empty()) << parsed.error;
    ConnectionSnapshot snapshot(tables, identity);
    return RunCli(parsed.options, snapshot, out, err, [this](double seconds) {
      sleeps.push_back(seconds);
      // Between rounds the curl connection moves on and a new UDP socket appears.
      tables.tcp[1].state = 8;
      tables.udp.push_back(Udp("0.0.0.0", 5353, 200));
    });
  }

  static std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
      lines.push_back(line);
    return lines;
  }

  fakes::FakeConnectionTables tables;
  fakes::FakeProcessIdentity identity;
  std::ostringstream out, err;
  std::vector<double> sleeps;
};

TEST_F(CliRunTest, TablePrintsRowsSortedByNameThenTheSentence) {
  EXPECT_EQ(Run({}), 0);
  const auto lines = Lines(out.str());
  ASSERT_EQ(lines.size(), 5u);
  EXPECT_EQ(lines[1].rfind("curl", 0), 0u);
  EXPECT_EQ(lines[2].rfind("nginx", 0), 0u);
  EXPECT_EQ(lines[4], "当前有2个程序已连接或尝试连接网络，共建立3个连接。");
  EXPECT_TRUE(sleeps.empty());
}

TEST_F(CliRunTest, HideLocalDropsLoopbackConnectionsButCountsTheirProgram) {
  Run({"--hide-local", "--csv"});
  const auto lines = Lines(out.str());
  EXPECT_EQ(lines.size(), 3u);  // header, nginx TCP, nginx UDP
  EXPECT_EQ(err.str(), "当前有2个程序已连接或尝试连接网络，共建立2个连接。\n");
}

TEST_F(CliRunTest, WatchInJsonShowsTheMarksOfEachRound) {
  Run({"--json", "--watch", "0.5", "--rounds", "2"});
  EXPECT_EQ(sleeps, (std::vector<double>{0.5, 0.5}));
  const auto lines = Lines(out.str());
  // Round 0: three rows; round 1: four (one new UDP); round 2: five.
  ASSERT_EQ(lines.size(), 3u + 1 + 4 + 1 + 5 + 1);
  EXPECT_EQ(lines[3], "{\"round\": 0}");
  EXPECT_EQ(lines[8], "{\"round\": 1}");
  EXPECT_EQ(lines.back(), "{\"round\": 2}");
  const std::string round1 = lines[4] + lines[5] + lines[6] + lines[7];
  EXPECT_NE(round1.find("\"State\": \"等待关闭\", \"LocalIP\": \"127.0.0.1\""), std::string::npos);
  EXPECT_NE(round1.find("\"Mark\": \"md\""), std::string::npos);
  EXPECT_NE(round1.find("\"LocalPort\": \"5353\""), std::string::npos);
  EXPECT_NE(round1.find("\"Mark\": \"add\""), std::string::npos);
}

TEST_F(CliRunTest, WatchInTableSeparatesRoundsWithABlankLine) {
  Run({"--watch", "1", "--rounds", "1"});
  const auto lines = Lines(out.str());
  ASSERT_EQ(lines.size(), 5u + 1 + 6);
  EXPECT_EQ(lines[5], "");
  EXPECT_EQ(lines.back(), "当前有2个程序已连接或尝试连接网络，共建立4个连接。");
}

}  // namespace
}  // namespace halvane
