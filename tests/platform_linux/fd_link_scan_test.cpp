#include "platform/linux/fd_link_scan.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "platform_linux/socket_test_support.h"

namespace halvane {
namespace {

using test_support::SocketLink;

std::vector<SocketHolding> Sorted(std::vector<SocketHolding> holdings) {
  std::sort(holdings.begin(), holdings.end(), [](const SocketHolding& a, const SocketHolding& b) {
    return a.inode != b.inode ? a.inode < b.inode : a.pid < b.pid;
  });
  return holdings;
}

// `count` sockets from `firstInode` on, with a non-socket link after every tenth.
std::vector<std::string> SocketLinks(std::uint64_t firstInode, std::size_t count) {
  std::vector<std::string> links;
  for (std::size_t i = 0; i < count; ++i) {
    links.push_back(SocketLink(firstInode + i));
    if (i % 10 == 9) {
      links.push_back("pipe:[" + std::to_string(firstInode + i) + "]");
    }
  }
  return links;
}

void ExpectHoldings(std::vector<SocketHolding>& expected, std::uint32_t pid,
                    std::uint64_t firstInode, std::size_t count) {
  for (std::size_t i = 0; i < count; ++i) {
    expected.push_back({firstInode + i, pid});
  }
}

// Processes of every size, some far beyond one slice of descriptors: each socket link is found
// once, with its process, whichever thread read it.
TEST(FdLinkScanTest, FindsEverySocketLinkOfProcessesLargeAndSmall) {
  test_support::FakeProcRoot root;
  std::vector<SocketHolding> expected;
  const std::vector<std::pair<std::uint32_t, std::size_t>> sizes = {
      {10, 0}, {11, 1}, {12, 1023}, {13, 1024}, {14, 1025}, {15, 3000}, {16, 5}};
  std::uint64_t inode = 1000;
  for (const auto& [pid, count] : sizes) {
    root.AddProcess(pid, 1, SocketLinks(inode, count));
    ExpectHoldings(expected, pid, inode, count);
    inode += 10000;
  }
  FdLinkScan scan(root.path());
  EXPECT_GE(scan.procFd(), 0);
  EXPECT_EQ(Sorted(scan.Finish()), Sorted(expected));
}

TEST(FdLinkScanTest, SocketHeldByTwoProcessesIsOneHoldingEach) {
  test_support::FakeProcRoot root;
  root.AddProcess(20, 1, {SocketLink(700), SocketLink(700)});
  root.AddProcess(21, 20, {SocketLink(700)});
  FdLinkScan scan(root.path());
  EXPECT_EQ(Sorted(scan.Finish()), (std::vector<SocketHolding>{{700, 20}, {700, 20}, {700, 21}}));
}

TEST(FdLinkScanTest, SecondFinishGivesNothing) {
  test_support::FakeProcRoot root;
  root.AddProcess(30, 1, SocketLinks(5, 1500));
  FdLinkScan scan(root.path());
  EXPECT_EQ(scan.Finish().size(), 1500u);
  EXPECT_TRUE(scan.Finish().empty());
}

TEST(FdLinkScanTest, ScanLeftUnfinishedEndsWithItsObject) {
  test_support::FakeProcRoot root;
  for (std::uint32_t pid = 40; pid < 44; ++pid) {
    root.AddProcess(pid, 1, SocketLinks(pid * 10000, 1200));
  }
  { FdLinkScan scan(root.path()); }
  SUCCEED();
}

TEST(FdLinkScanTest, MissingRootFindsNothing) {
  FdLinkScan scan("/nonexistent/halvane-proc");
  EXPECT_EQ(scan.procFd(), -1);
  EXPECT_TRUE(scan.Finish().empty());
}

struct LinkCase {
  std::string target;
  std::optional<std::uint64_t> inode;
};

TEST(SocketInodeOfLinkTest, ReadsOnlyWholeSocketTargets) {
  const std::vector<LinkCase> cases = {
      {"socket:[12345]", 12345},
      {"socket:[0]", 0},
      {"socket:[18446744073709551615]", ~std::uint64_t{0}},
      {"socket:[18446744073709551616]", std::nullopt},
      {"socket:[]", std::nullopt},
      {"socket:[12a]", std::nullopt},
      {"socket:[-1]", std::nullopt},
      {"socket:[12", std::nullopt},
      {"pipe:[12]", std::nullopt},
      {"/tmp/socket:[12]", std::nullopt},
      {"", std::nullopt},
  };
  for (const LinkCase& test : cases) {
    EXPECT_EQ(SocketInodeOfLink(test.target), test.inode) << test.target;
  }
}

}  // namespace
}  // namespace halvane
