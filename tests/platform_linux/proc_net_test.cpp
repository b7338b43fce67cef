#include "platform/linux/proc_net.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform_linux/socket_test_support.h"

namespace halvane {
namespace {

using test_support::Entry;

constexpr int kEstablished = 1;
constexpr int kTimeWait = 6;
constexpr int kClose = 7;
constexpr int kListen = 10;

const std::string kTcpHeader =
    "  sl  local_address rem_address   st tx_queue rx_queue tr tm->when retrnsmt   uid  timeout "
    "inode\n";
const std::string kListenerLine =
    "   0: 0100007F:0050 00000000:0000 0A 00000000:00000000 00:00000000 00000000     0        0 "
    "12345 1 0000000000000000 100 0 0 10 0\n";
const SocketEntry kListener = Entry(kListen, "127.0.0.1", 80, "0.0.0.0", 0, 12345);

// A line with the given address columns, state and inode.
std::string Line(const std::string& local, const std::string& remote, const std::string& state,
                 const std::string& inode) {
  return "   7: " + local + " " + remote + " " + state +
         " 00000000:00000000 00:00000000 00000000  1000        0 " + inode +
         " 1 0000000000000000 20 4 30 10 -1\n";
}

struct TextCase {
  std::string name;
  std::string text;
  std::vector<SocketEntry> entries;
};

void PrintTo(const TextCase& test, std::ostream* out) {
  *out << test.name;
}

std::vector<TextCase> TextCases() {
  return {
      {"LoopbackListenerByteOrder", kTcpHeader + kListenerLine, {kListener}},
      {"EstablishedRemoteByteOrder",
       Line("0F02000A:C350", "0201A8C0:1F90", "01", "777"),
       {Entry(kEstablished, "10.0.2.15", 50000, "192.168.1.2", 8080, 777)}},
      {"HeaderLineSkipped", kTcpHeader, {}},
      {"TimeWaitWithoutInodeKept",
       Line("0100007F:92F4", "0100007F:B6E5", "06", "0"),
       {Entry(kTimeWait, "127.0.0.1", 37620, "127.0.0.1", 46821, 0)}},
      {"MappedIpv6LineIsIpv4",
       Line("0000000000000000FFFF00000100007F:9C41", "0000000000000000FFFF00000100007F:9C54", "01",
            "17321"),
       {Entry(kEstablished, "127.0.0.1", 40001, "127.0.0.1", 40020, 17321)}},
      {"Ipv6AnyAddressSkippedForItMayBeV6Only",
       Line("00000000000000000000000000000000:9C41", "00000000000000000000000000000000:0000", "0A",
            "17317"),
       {}},
      {"Ipv6LoopbackSkipped",
       Line("00000000000000000000000001000000:9C46", "00000000000000000000000000000000:0000", "07",
            "17325"),
       {}},
      {"MalformedLinesSkipped",
       "garbage\n"                                                                   // one word
           + Line("0100007F:0050", "00000000:0000", "0A", "1").substr(0, 40) + "\n"  // cut short
           + Line("0100007G:0050", "00000000:0000", "0A", "2")                       // not hex
           + Line("100007F:0050", "00000000:0000", "0A", "3")                        // seven digits
           + Line("0100007F:050", "00000000:0000", "0A", "4")    // three-digit port
           + Line("0100007F0050", "00000000:0000", "0A", "5")    // no colon
           + Line("0100007F:0050", "00000000:0000", "XY", "6")   // state not hex
           + Line("0100007F:0050", "00000000:0000", "0A", "7x")  // inode not decimal
           + Line("0100007F:0050", "00000000:0000", "0A", "-8")  // negative inode
           + Line("0100007F:0050", "00000000000000000000000000000000:0000", "01", "9")  // mixed
           + "   0 0100007F:0050 00000000:0000 0A 0 0 0 0 0 10\n"  // no colon after sl
           + kListenerLine,
       {kListener}},
      {"SocketListedTwiceKeptOnce",
       kListenerLine + kListenerLine + Line("0100007F:92F4", "0100007F:B6E5", "06", "0") +
           Line("0100007F:92F4", "0100007F:B6E5", "06", "0"),
       {kListener, Entry(kTimeWait, "127.0.0.1", 37620, "127.0.0.1", 46821, 0),
        Entry(kTimeWait, "127.0.0.1", 37620, "127.0.0.1", 46821, 0)}},
      {"TabsAndNoFinalNewline",
       "\t0:\t0100007F:0035\t00000000:0000\t07\t0:0\t0:0\t0\t0\t0\t31\t2",
       {Entry(kClose, "127.0.0.1", 53, "0.0.0.0", 0, 31)}},
      {"EmptyText", "", {}},
  };
}

class ProcNetTextTest : public ::testing::TestWithParam<TextCase> {};

TEST_P(ProcNetTextTest, GivesTheIpv4Sockets) {
  EXPECT_EQ(ParseProcNetTable(GetParam().text), GetParam().entries);
}

INSTANTIATE_TEST_SUITE_P(Lines, ProcNetTextTest, ::testing::ValuesIn(TextCases()),
                         [](const auto& instance) { return instance.param.name; });

// Files recorded beside the sock_diag dumps of the same sockets: the files lack the bound-only
// socket, and list the dual-stack sockets only as [::].
struct RecordedCase {
  std::string file;
  std::vector<SocketEntry> entries;
};

void PrintTo(const RecordedCase& test, std::ostream* out) {
  *out << test.file;
}

std::vector<RecordedCase> RecordedCases() {
  return {
      {"tcp",
       {Entry(kListen, "0.0.0.0", 2024, "0.0.0.0", 0, 1286),
        Entry(kListen, "127.0.0.1", 40003, "0.0.0.0", 0, 17319),
        Entry(kTimeWait, "127.0.0.1", 37620, "127.0.0.1", 46821, 0),
        Entry(kTimeWait, "127.0.0.1", 40010, "127.0.0.1", 40001, 0),
        Entry(kEstablished, "127.0.0.1", 40020, "127.0.0.1", 40001, 17320),
        Entry(kTimeWait, "127.0.0.1", 40011, "127.0.0.1", 40003, 0),
        Entry(kEstablished, "127.0.0.1", 40021, "127.0.0.1", 40003, 17322),
        Entry(kEstablished, "127.0.0.1", 40003, "127.0.0.1", 40021, 17323)}},
      {"tcp6", {Entry(kEstablished, "127.0.0.1", 40001, "127.0.0.1", 40020, 17321)}},
      {"udp",
       {Entry(kClose, "127.0.0.1", 40007, "0.0.0.0", 0, 17326),
        Entry(kEstablished, "127.0.0.1", 40008, "127.0.0.1", 40007, 17327)}},
      {"udp6", {}},
  };
}

class ProcNetRecordedTest : public ::testing::TestWithParam<RecordedCase> {};

TEST_P(ProcNetRecordedTest, GivesTheIpv4Sockets) {
  const std::string text =
      test_support::ReadTextFile(test_support::DataFile("proc_net_" + GetParam().file + ".txt"));
  ASSERT_FALSE(text.empty());
  EXPECT_EQ(ParseProcNetTable(text), GetParam().entries);
}

TEST_P(ProcNetRecordedTest, EveryCutOfTheFileGivesAPrefixOfItsSockets) {
  const std::string text =
      test_support::ReadTextFile(test_support::DataFile("proc_net_" + GetParam().file + ".txt"));
  for (std::size_t length = 0; length <= text.size(); ++length) {
    const std::string cut = text.substr(0, length);
    const std::vector<SocketEntry> entries = ParseProcNetTable(cut);
    ASSERT_LE(entries.size(), GetParam().entries.size()) << "cut at " << length;
    // A line cut inside its inode column gives a shorter inode; every other line is whole.
    for (std::size_t i = 0; i + 1 < entries.size(); ++i) {
      EXPECT_EQ(entries[i], GetParam().entries[i]) << "cut at " << length;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Recorded, ProcNetRecordedTest, ::testing::ValuesIn(RecordedCases()),
                         [](const auto& instance) { return instance.param.file; });

TEST(ReadProcNetTableTest, ReadsTheFileBelowTheRoot) {
  test_support::FakeProcRoot root;
  root.WriteFile("net/tcp", kTcpHeader + kListenerLine);
  EXPECT_EQ(ReadProcNetTable(root.path(), "tcp"), std::vector<SocketEntry>{kListener});
}

TEST(ReadProcNetTableTest, MissingFileGivesNoSockets) {
  test_support::FakeProcRoot root;
  EXPECT_TRUE(ReadProcNetTable(root.path(), "udp6").empty());
  EXPECT_TRUE(ReadProcNetTable(root.path() + "/absent", "tcp").empty());
}

}  // namespace
}  // namespace halvane
