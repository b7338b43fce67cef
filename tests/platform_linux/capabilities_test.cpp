#include "platform/linux/capabilities.h"

#include <linux/capability.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <string>

#include <gtest/gtest.h>

namespace halvane {
namespace {

constexpr std::uint64_t Cap(int capability) {
  return std::uint64_t{1} << capability;
}
constexpr std::uint64_t kPtrace = Cap(CAP_SYS_PTRACE);
constexpr std::uint64_t kReadSearch = Cap(CAP_DAC_READ_SEARCH);
constexpr std::uint64_t kKill = Cap(CAP_KILL);
constexpr std::uint64_t kNetAdmin = Cap(CAP_NET_ADMIN);
constexpr std::uint64_t kAllThree = kPtrace | kReadSearch | kKill;

struct RaiseCase {
  const char* what;
  CapabilitySets before;
  std::uint64_t effective_after;
  bool all_effective;
};

class RaiseCapabilitiesTest : public ::testing::TestWithParam<RaiseCase> {};

TEST_P(RaiseCapabilitiesTest, RaisesOnlyPermittedDebugCapabilities) {
  const RaiseCase& c = GetParam();
  const CapabilitySets after = WithDebugCapabilitiesRaised(c.before);
  EXPECT_EQ(after.effective, c.effective_after) << c.what;
  EXPECT_EQ(after.permitted, c.before.permitted) << c.what;
  EXPECT_EQ(after.inheritable, c.before.inheritable) << c.what;
  EXPECT_EQ(HasDebugCapabilitiesEffective(after), c.all_effective) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Sets, RaiseCapabilitiesTest,
    ::testing::Values(RaiseCase{"all three permitted", {0, kAllThree, 0}, kAllThree, true},
                      RaiseCase{"already effective", {kAllThree, kAllThree, 0}, kAllThree, true},
                      RaiseCase{"only kill permitted", {0, kKill | kNetAdmin, kKill}, kKill, false},
                      RaiseCase{"other permitted capabilities stay off",
                                {0, kAllThree | kNetAdmin, 0},
                                kAllThree,
                                true},
                      RaiseCase{"other effective capabilities stay on",
                                {kNetAdmin, kPtrace, 0},
                                kNetAdmin | kPtrace,
                                false},
                      RaiseCase{"nothing permitted", {0, 0, 0}, 0, false}));

TEST(DebugCapabilityMask, NamesTheThreeCapabilities) {
  EXPECT_EQ(DebugCapabilityMask(), kAllThree);
}

// The permitted set of this process as the kernel reports it in /proc/self/status.
std::uint64_t PermittedFromStatus() {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind("CapPrm:", 0) == 0) {
      return std::stoull(line.substr(7), nullptr, 16);
    }
  }
  return 0;
}

TEST(RaiseDebugCapabilities, SucceedsExactlyWhenAllThreeArePermitted) {
  const bool permitted = (PermittedFromStatus() & kAllThree) == kAllThree;
  EXPECT_EQ(RaiseDebugCapabilities(), permitted);
  const std::optional<CapabilitySets> sets = ReadOwnCapabilities();
  ASSERT_TRUE(sets.has_value());
  EXPECT_EQ(sets->permitted, PermittedFromStatus());
  EXPECT_EQ(HasDebugCapabilitiesEffective(*sets), permitted);
}

// Runs `step` in a child process, so that the capabilities it drops stay dropped there only;
// gives the child's exit status.
template <typename Step>
int InChild(Step step) {
  const pid_t child = ::fork();
  if (child == 0) {
    ::_exit(step());
  }
  int status = 0;
  ::waitpid(child, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(RaiseDebugCapabilities, RaisesFromPermittedAndFailsWithoutIt) {
  const std::optional<CapabilitySets> own = ReadOwnCapabilities();
  ASSERT_TRUE(own.has_value());
  if ((own->permitted & kAllThree) != kAllThree) {
    GTEST_SKIP() << "this process is not permitted the three capabilities";
  }
  // Dropped from the effective set only: raised again.
  EXPECT_EQ(InChild([&] {
              CapabilitySets lowered = *own;
              lowered.effective &= ~kAllThree;
              if (!WriteOwnCapabilities(lowered)) {
                return 10;
              }
              if (HasDebugCapabilitiesEffective(*ReadOwnCapabilities())) {
                return 11;
              }
              return RaiseDebugCapabilities() ? 0 : 12;
            }),
            0);
  // Ptrace dropped from the permitted set as well: cannot come back.
  EXPECT_EQ(InChild([&] {
              CapabilitySets lowered = *own;
              lowered.effective &= ~kAllThree;
              lowered.permitted &= ~kPtrace;
              if (!WriteOwnCapabilities(lowered)) {
                return 10;
              }
              if (RaiseDebugCapabilities()) {
                return 12;
              }
              const CapabilitySets after = *ReadOwnCapabilities();
              return (after.effective & kAllThree) == (kKill | kReadSearch) ? 0 : 13;
            }),
            0);
}

}  // namespace
}  // namespace halvane
