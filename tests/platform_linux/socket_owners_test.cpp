#include "platform/linux/socket_owners.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform_linux/socket_test_support.h"

namespace halvane {
namespace {

using test_support::SocketLink;

struct FakeProcess {
  std::uint32_t pid;
  std::optional<std::uint32_t> ppid;  // no stat file when empty
  std::vector<std::string> links;
  std::string comm = "server";
};

struct OwnerCase {
  std::string name;
  std::vector<FakeProcess> processes;
  std::vector<std::pair<std::uint64_t, std::uint32_t>> owners;  // inode, expected PID
};

void PrintTo(const OwnerCase& test, std::ostream* out) {
  *out << test.name;
}

std::vector<OwnerCase> OwnerCases() {
  return {
      {"SingleHolder", {{100, 1, {SocketLink(500)}}}, {{500, 100}}},
      {"ForkedServerBelongsToTheParent",
       {{201, 200, {SocketLink(700)}}, {200, 1, {SocketLink(700)}}, {202, 200, {SocketLink(700)}}},
       {{700, 200}}},
      {"TopOfAChainOfHoldersEvenWithTheHighestPid",
       {{10, 20, {SocketLink(710)}}, {20, 30, {SocketLink(710)}}, {30, 1, {SocketLink(710)}}},
       {{710, 30}}},
      {"ChildAloneHoldsWhatItsParentClosed",
       {{300, 1, {SocketLink(800)}}, {301, 300, {SocketLink(801)}}},
       {{800, 300}, {801, 301}}},
      {"UnrelatedHoldersGiveTheLowestPid",
       {{410, 1, {SocketLink(900)}}, {405, 1, {SocketLink(900)}}, {420, 405, {SocketLink(900)}}},
       {{900, 405}}},
      {"HoldersWithoutStatGiveTheLowestPid",
       {{61, std::nullopt, {SocketLink(1000)}}, {60, std::nullopt, {SocketLink(1000)}}},
       {{1000, 60}}},
      {"CommandNameWithParenthesesAndSpaces",
       {{75, 1, {SocketLink(1100)}}, {71, 75, {SocketLink(1100)}, "x) S 999 (y"}},
       {{1100, 75}}},
      {"DuplicatedDescriptorsAreOneHolder",
       {{90, 1, {SocketLink(1200), SocketLink(1200)}}, {95, 1, {SocketLink(1201)}}},
       {{1200, 90}, {1201, 95}}},
      {"OtherLinksAreNoSockets",
       {{80,
         1,
         {"/dev/null", "pipe:[1300]", "socket:[abc]", "socket:[1301", "socket:[]",
          "anon_inode:[eventfd]", "socket:[-1302]", "/tmp/socket:[1303]",
          "socket:[99999999999999999999999]"}}},
       {{1300, 0}, {1301, 0}, {1302, 0}, {1303, 0}}},
      {"NoHolderIsPidZero", {{100, 1, {SocketLink(500)}}}, {{12345, 0}, {0, 0}}},
      {"EntriesThatAreNoProcessesAreSkipped", {}, {{999999, 0}}},
  };
}

class SocketOwnerTest : public ::testing::TestWithParam<OwnerCase> {};

TEST_P(SocketOwnerTest, FindsTheOwningProcess) {
  test_support::FakeProcRoot root;
  for (const FakeProcess& process : GetParam().processes) {
    if (process.ppid) {
      root.AddProcess(process.pid, *process.ppid, process.links, process.comm);
    } else {
      root.AddProcessWithoutStat(process.pid, process.links);
    }
  }
  const SocketOwnerIndex index = SocketOwnerIndex::Scan(root.path());
  for (const auto& [inode, pid] : GetParam().owners) {
    EXPECT_EQ(index.OwnerOf(inode), pid) << "socket " << inode;
    EXPECT_EQ(index.Knows(inode), pid != 0) << "socket " << inode;
  }
}

INSTANTIATE_TEST_SUITE_P(FakeProc, SocketOwnerTest, ::testing::ValuesIn(OwnerCases()),
                         [](const auto& instance) { return instance.param.name; });

TEST(SocketOwnerIndexTest, ProcessWithoutDescriptorDirectoryIsSkipped) {
  test_support::FakeProcRoot root;
  root.WriteFile("50/stat", "50 (kthread) S 2 0 0 0 -1\n");
  root.AddProcess(51, 1, {SocketLink(600)});
  const SocketOwnerIndex index = SocketOwnerIndex::Scan(root.path());
  EXPECT_EQ(index.size(), 1u);
  EXPECT_EQ(index.OwnerOf(600), 51u);
}

TEST(SocketOwnerIndexTest, MissingRootGivesAnEmptyIndex) {
  const SocketOwnerIndex index = SocketOwnerIndex::Scan("/nonexistent/halvane-proc");
  EXPECT_EQ(index.size(), 0u);
  EXPECT_EQ(index.OwnerOf(1), 0u);
}

}  // namespace
}  // namespace halvane
