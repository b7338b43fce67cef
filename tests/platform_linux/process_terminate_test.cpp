#include "platform/linux/process_terminate.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <climits>
#include <fstream>

#include "platform/linux/program_file.h"
#include "platform_linux/listening_child.h"
#include "platform_linux/socket_test_support.h"

namespace halvane {
namespace {

using namespace std::chrono_literals;
using test_support::ListeningChild;

// Long enough for any machine; a process that was killed ends within a moment.
constexpr auto kExitWait = 30s;

std::uint32_t PidMax() {
  std::ifstream in("/proc/sys/kernel/pid_max");
  std::uint32_t value = 0;
  in >> value;
  return value;
}

TEST(KillProcessRunningTest, EndsAProcessRunningTheExpectedProgram) {
  ListeningChild child;
  ASSERT_NE(child.port(), 0);

  EXPECT_EQ(KillProcessRunning(child.pid(), OwnProgramFilePath(), kExitWait),
            KillOutcome::Signalled);

  // It had gone before the call returned.
  EXPECT_TRUE(child.HasEnded());
  EXPECT_EQ(child.Reap(), SIGKILL);
}

TEST(KillProcessRunningTest, LeavesAPidThatRunsAnotherProgramAlone) {
  ListeningChild child;
  ASSERT_NE(child.port(), 0);

  EXPECT_EQ(KillProcessRunning(child.pid(), "/usr/bin/some-other-program", kExitWait),
            KillOutcome::ProgramChanged);
  EXPECT_EQ(KillProcessRunning(child.pid(), "", kExitWait), KillOutcome::ProgramChanged);

  EXPECT_FALSE(child.HasEnded());
}

TEST(KillProcessRunningTest, CannotOpenAPidThatNoProcessHas) {
  const std::uint32_t pidMax = PidMax();
  ASSERT_GT(pidMax, 0u);
  for (std::uint32_t pid : {0u, pidMax, static_cast<std::uint32_t>(INT_MAX) + 1u, UINT32_MAX})
    EXPECT_EQ(KillProcessRunning(pid, OwnProgramFilePath(), 0ms), KillOutcome::CannotOpen) << pid;
}

TEST(KillProcessRunningTest, AnEndedProcessNoLongerRunsItsProgram) {
  const pid_t child = ::fork();
  if (child == 0)
    ::_exit(0);
  ASSERT_GT(child, 0);
  siginfo_t info{};
  ASSERT_EQ(::waitid(P_PID, static_cast<id_t>(child), &info, WEXITED | WNOWAIT), 0);

  // A zombie still has its PID, but no program file any more.
  EXPECT_EQ(KillProcessRunning(static_cast<std::uint32_t>(child), OwnProgramFilePath(), 0ms),
            KillOutcome::ProgramChanged);
  ::waitpid(child, nullptr, 0);
}

TEST(KillProcessRunningTest, AProgramFileReplacedWhileRunningStillCounts) {
  ListeningChild child;
  ASSERT_NE(child.port(), 0);
  // A root whose exe link is what the kernel shows for a program file deleted while it runs.
  test_support::TempDir root;
  const auto processDir = root.path() / "proc" / std::to_string(child.pid());
  std::filesystem::create_directories(processDir);
  std::filesystem::create_symlink("/opt/app/server (deleted)", processDir / "exe");

  EXPECT_EQ(KillProcessRunning(child.pid(), "/opt/app/server (deleted)", kExitWait, root.path()),
            KillOutcome::ProgramChanged);
  EXPECT_FALSE(child.HasEnded());
  EXPECT_EQ(KillProcessRunning(child.pid(), "/opt/app/server", kExitWait, root.path()),
            KillOutcome::Signalled);
  EXPECT_EQ(child.Reap(), SIGKILL);
}

}  // namespace
}  // namespace halvane
