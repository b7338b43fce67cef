// The end-process command of the main window over the real connection tables: a process that
// the test starts is ended through its row, and the refresh that follows drops the row.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <chrono>
#include <csignal>

#include "app/form_netrova.h"
#include "fakes/app_fakes.h"
#include "platform/linux/linux_platform.h"
#include "platform/linux/process_terminate.h"
#include "platform_linux/listening_child.h"
#include "platform_linux/socket_test_support.h"

namespace halvane {
namespace {

using namespace std::chrono_literals;

// The running system's tables and identity, the real ending of processes, the program living
// in a temporary directory so no settings file lands elsewhere.
class RealLinuxServices : public IAppServices {
 public:
  explicit RealLinuxServices(std::string dir)
      : dir_(std::move(dir)),
        tables_(MakeLinuxConnectionTables()),
        identity_(MakeLinuxProcessIdentity()) {}

  IConnectionTables& Tables() override { return *tables_; }
  IProcessIdentity& Identity() override { return *identity_; }
  std::string ProgramFilePath() override { return dir_ + "/halvane"; }
  std::string SystemDirectory() override { return "/usr/sbin"; }
  std::string UserConfigDirectory() override { return dir_ + "/config"; }
  void OpenDocument(const std::string&) override {}
  void OpenUrl(const std::string&) override {}
  TerminateResult TerminateProcess(std::uint32_t pid, const std::string& expected) override {
    return KillProcessRunning(pid, expected, 30s) == KillOutcome::Signalled
               ? TerminateResult::Ended
               : TerminateResult::CannotEnd;
  }

 private:
  std::string dir_;
  std::unique_ptr<IConnectionTables> tables_;
  std::unique_ptr<IProcessIdentity> identity_;
};

class EndProcessFormTest : public ::testing::Test {
 protected:
  EndProcessFormTest() : surface(log), services(dir.path().string()) {}

  ListRow* ChildRow() {
    const std::string pid = std::to_string(child.pid());
    const std::string port = std::to_string(child.port());
    for (std::size_t i = 0; i < form.VTS().RowCount(); ++i) {
      ListRow* row = form.VTS().RowAt(i);
      if (row->record.PID == pid && row->record.LocalPort == port &&
          row->record.LocalIP == "127.0.0.1" && row->record.Protocol == "TCP")
        return row;
    }
    return nullptr;
  }

  test_support::TempDir dir;
  fakes::CallLog log;
  fakes::FakeWindowSurface surface;
  RealLinuxServices services;
  fakes::FakeSystemIcons systemIcons;
  fakes::FakeImageStore smallImages;
  fakes::FakeImageStore largeImages;
  TFormNetrova form{surface, services, IconBackends{systemIcons, smallImages, largeImages},
                    "https://home.halvane.test/", "https://home.halvane.test/update"};
  test_support::ListeningChild child;
};

TEST_F(EndProcessFormTest, TheEndedProcessLeavesTheListWithTheRefreshThatFollows) {
  ASSERT_NE(child.port(), 0);
  form.FormCreate();
  ASSERT_THAT(surface.errors, ::testing::IsEmpty());
  ListRow* row = ChildRow();
  ASSERT_NE(row, nullptr) << "the child's listening socket is not in the list";
  EXPECT_FALSE(row->record.ProcessPath.empty());
  form.VTS().FocusRow(row);
  ASSERT_TRUE(form.VTSGetPopupMenu(row));
  log.clear();

  form.HandleEvent([&] { form.NEndProcClick(); });

  EXPECT_THAT(surface.errors, ::testing::IsEmpty());
  EXPECT_THAT(log, ::testing::Contains("ViewChanged"));  // refreshed at once
  EXPECT_THAT(log, ::testing::Not(::testing::Contains(::testing::StartsWith("Message"))));
  EXPECT_EQ(ChildRow(), nullptr);
  EXPECT_TRUE(child.HasEnded());
  EXPECT_EQ(child.Reap(), SIGKILL);
}

TEST_F(EndProcessFormTest, ARowWhosePidNowRunsAnotherProgramEndsNothing) {
  ASSERT_NE(child.port(), 0);
  form.FormCreate();
  ListRow* row = ChildRow();
  ASSERT_NE(row, nullptr);
  // As if the row had been listed for another program that held this PID before.
  row->record.ProcessPath = "/usr/bin/another-program";
  form.VTS().FocusRow(row);
  log.clear();

  form.HandleEvent([&] { form.NEndProcClick(); });

  EXPECT_THAT(log, ::testing::ElementsAre("Message 无法结束进程!"));
  EXPECT_FALSE(child.HasEnded());
}

}  // namespace
}  // namespace halvane
