#include <condition_variable>
#include <mutex>

#include "form_fixture.h"

namespace halvane {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

// The tables are read on the runner, and the merge runs once the read posted back; here the
// test decides when each half runs.
class RefreshWorkerTest : public FormTest {
 protected:
  // Created with auto-refresh on, every later read waiting for RunStarted.
  void CreatedWithReadsOnDemand(bool autoRefresh = true) {
    Created();
    if (autoRefresh)
      Click(OptionBox::AutoRefresh, true);
    runner->runAtOnce = false;
    log.clear();
  }

  void ExpectRefreshRunning() {
    EXPECT_TRUE(Form().RefreshRunning());
    EXPECT_FALSE(Form().RefreshEnabled());
    EXPECT_FALSE(Form().TimerRunning());
  }
};

TEST_F(RefreshWorkerTest, TheFirstFillReadsOnTheGuiThreadAndPostsNothing) {
  Created();
  EXPECT_EQ(runner->started, 0);
  EXPECT_EQ(surface.Posted(), 0u);
  EXPECT_EQ(Form().VTS().RowCount(), 4u);
}

TEST_F(RefreshWorkerTest, ButtonDisabledAndTimerStoppedFromTheStartOfTheReadToTheEndOfTheMerge) {
  CreatedWithReadsOnDemand();
  services.tables.rows.tcp.pop_back();  // the firefox connection has gone

  Form().HandleEvent([&] { Form().BTNRefreshClick(); });
  EXPECT_THAT(log, ElementsAre("RefreshEnabled 0", "StopTimer"));
  ExpectRefreshRunning();

  runner->RunStarted();
  EXPECT_THAT(log, ElementsAre("RefreshEnabled 0", "StopTimer", "tcp table", "udp table"));
  ExpectRefreshRunning();
  EXPECT_EQ(Form().VTS().RowCount(), 4u);  // the rows wait for the merge

  log.clear();
  EXPECT_EQ(RunPosted(), 1);
  EXPECT_THAT(log, ElementsAre("NetCount 3", "AppCount 2", "ViewChanged", "RefreshEnabled 1",
                               "StartTimer 10000", "FocusView"));
  EXPECT_FALSE(Form().RefreshRunning());
  EXPECT_TRUE(Form().RefreshEnabled());
  EXPECT_TRUE(Form().TimerRunning());
  EXPECT_THAT(RowNames(), ElementsAre("postgres", "sshd", "System"));
}

TEST_F(RefreshWorkerTest, AutoRefreshTurnedOnDuringARefreshStartsTheTimerAsTheRefreshEnds) {
  CreatedWithReadsOnDemand(/*autoRefresh=*/false);
  Form().HandleEvent([&] { Form().BTNRefreshClick(); });

  Click(OptionBox::AutoRefresh, true);
  EXPECT_FALSE(Form().TimerRunning());
  runner->RunStarted();
  RunPosted();

  EXPECT_EQ(Count("StartTimer 10000"), 1);
  EXPECT_GT(IndexOf("StartTimer 10000"), IndexOf("RefreshEnabled 1"));
  EXPECT_TRUE(Form().TimerRunning());
}

// The rows are paired on the reading thread; a sort meanwhile puts them in another order, and
// the merge then pairs them again in the order they stand in.
TEST_F(RefreshWorkerTest, ASortDuringTheReadGivesTheRowsOfTheNewTablesInTheNewOrder) {
  CreatedWithReadsOnDemand();
  services.tables.rows.tcp.pop_back();  // the firefox connection has gone
  Form().HandleEvent([&] { Form().BTNRefreshClick(); });
  runner->RunStarted();
  Form().VTSHeaderClick(1);  // by program name, now descending
  RunPosted();
  EXPECT_THAT(RowNames(), ElementsAre("System", "sshd", "postgres"));
  EXPECT_EQ(Form().VTS().RowCount(), 3u);
}

// Between refreshes the window holds its rows alone: the snapshot goes once it is merged.
TEST_F(RefreshWorkerTest, TheSnapshotIsFreedAfterTheFillAndAfterEachMerge) {
  CreatedWithReadsOnDemand();
  EXPECT_EQ(services.freeMemoryReturns, 1);
  Form().HandleEvent([&] { Form().BTNRefreshClick(); });
  runner->RunStarted();
  EXPECT_EQ(services.freeMemoryReturns, 1);  // the merge still needs it
  RunPosted();
  EXPECT_EQ(services.freeMemoryReturns, 2);
  EXPECT_EQ(Form().VTS().RowCount(), 4u);
}

enum class Request { Button, TimerTick, LoopbackBox, EndProcess };

struct RequestCase {
  const char* name;
  Request request;
};

class RequestDuringReadTest : public RefreshWorkerTest,
                              public ::testing::WithParamInterface<RequestCase> {
 protected:
  void Ask(Request request) {
    switch (request) {
      case Request::Button:
        return Form().HandleEvent([&] { Form().BTNRefreshClick(); });
      case Request::TimerTick:
        return Form().HandleEvent([&] { Form().Timer1Timer(); });
      case Request::LoopbackBox:
        return Click(OptionBox::ShowLocal, false);
      case Request::EndProcess:
        Form().VTS().FocusRow(Form().VTS().RowAt(0));  // firefox
        Form().VTSGetPopupMenu(Form().VTS().RowAt(0));
        return Form().HandleEvent([&] { Form().NEndProcClick(); });
    }
  }
};

TEST_P(RequestDuringReadTest, RunsOnceRightAfterTheRefreshInFlight) {
  CreatedWithReadsOnDemand();
  Form().HandleEvent([&] { Form().BTNRefreshClick(); });

  Ask(GetParam().request);
  Ask(GetParam().request == Request::LoopbackBox ? Request::Button : GetParam().request);
  EXPECT_EQ(runner->started, 1);  // no second read beside the first
  ExpectRefreshRunning();

  runner->RunStarted();
  EXPECT_EQ(RunPosted(), 1);  // the first merge, which starts the kept request's read
  EXPECT_EQ(runner->started, 2);
  ExpectRefreshRunning();
  runner->RunStarted();
  EXPECT_EQ(RunPosted(), 1);

  EXPECT_EQ(runner->started, 2);
  EXPECT_EQ(Count("tcp table"), 2);
  EXPECT_FALSE(Form().RefreshRunning());
  EXPECT_TRUE(Form().RefreshEnabled());
  EXPECT_TRUE(Form().TimerRunning());
  EXPECT_EQ(Count("RefreshEnabled 1"), 2);
  EXPECT_EQ(Count("StartTimer 10000"), 2);
  EXPECT_THAT(surface.errors, IsEmpty());
  if (GetParam().request == Request::LoopbackBox) {
    // The list follows the box as it is now: the loopback connection has gone.
    EXPECT_THAT(RowNames(), ElementsAre("firefox", "sshd", "System"));
  }
}

INSTANTIATE_TEST_SUITE_P(Requests, RequestDuringReadTest,
                         ::testing::Values(RequestCase{"Button", Request::Button},
                                           RequestCase{"TimerTick", Request::TimerTick},
                                           RequestCase{"LoopbackBox", Request::LoopbackBox},
                                           RequestCase{"EndProcess", Request::EndProcess}),
                         [](const auto& caseInfo) { return std::string(caseInfo.param.name); });

TEST_F(RefreshWorkerTest, AnErrorInTheReadReEnablesRestartsThenShowsTheErrorAndRunsTheRequest) {
  CreatedWithReadsOnDemand();
  services.tables.failure = "the tables went away";
  Form().HandleEvent([&] { Form().BTNRefreshClick(); });
  runner->RunStarted();
  Form().HandleEvent([&] { Form().Timer1Timer(); });  // kept for after the failed one
  EXPECT_THAT(surface.errors, IsEmpty());             // the read's error waits for the merge

  services.tables.failure.clear();
  RunPosted();

  EXPECT_THAT(log, ElementsAre("RefreshEnabled 0", "StopTimer", "ViewChanged", "RefreshEnabled 1",
                               "StartTimer 10000", "Error the tables went away", "RefreshEnabled 0",
                               "StopTimer"));
  EXPECT_EQ(Form().VTS().RowCount(), 4u);
  runner->RunStarted();
  RunPosted();
  EXPECT_TRUE(Form().RefreshEnabled());
  EXPECT_TRUE(Form().TimerRunning());
  EXPECT_THAT(surface.errors, ElementsAre("the tables went away"));
}

TEST_F(RefreshWorkerTest, AnErrorInTheMergeReEnablesAndRestartsThenShowsTheError) {
  CreatedWithReadsOnDemand();
  surface.netCountFailure = "the count cannot be shown";
  Form().HandleEvent([&] { Form().BTNRefreshClick(); });
  runner->RunStarted();
  log.clear();

  RunPosted();

  EXPECT_THAT(log, ElementsAre("NetCount 4", "ViewChanged", "RefreshEnabled 1", "StartTimer 10000",
                               "Error the count cannot be shown"));
  EXPECT_FALSE(Form().RefreshRunning());
  EXPECT_TRUE(Form().RefreshEnabled());
  EXPECT_TRUE(Form().TimerRunning());
}

TEST_F(RefreshWorkerTest, AReadThatEndsAfterTheWindowClosedIsMergedNowhere) {
  CreatedWithReadsOnDemand();
  services.tables.rows.tcp.clear();
  Form().HandleEvent([&] { Form().BTNRefreshClick(); });
  Form().HandleEvent([&] { Form().Timer1Timer(); });

  Form().FormClose();
  runner->RunStarted();
  log.clear();
  RunPosted();

  EXPECT_THAT(log, IsEmpty());
  EXPECT_EQ(runner->started, 1);
  EXPECT_EQ(Form().VTS().RowCount(), 4u);
  EXPECT_FALSE(Form().TimerRunning());
}

TEST_F(RefreshWorkerTest, DestroyingTheFormWithAReadQueuedLeavesItsCompletionHarmless) {
  CreatedWithReadsOnDemand();
  Form().HandleEvent([&] { Form().BTNRefreshClick(); });

  DestroyForm();  // waiting for the runner ends the read, which posts its completion
  EXPECT_EQ(surface.Posted(), 1u);
  log.clear();
  EXPECT_EQ(RunPosted(), 1);

  EXPECT_THAT(log, IsEmpty());
}

// ---- On threads, as the program runs

// Holds a read open until the test lets it go.
class ReadGate {
 public:
  void Enter() {
    std::unique_lock<std::mutex> hold(lock_);
    entered_ = true;
    changed_.notify_all();
    changed_.wait(hold, [&] { return open_; });
  }
  void WaitUntilEntered() {
    std::unique_lock<std::mutex> hold(lock_);
    changed_.wait(hold, [&] { return entered_; });
  }
  void Open() {
    const std::lock_guard<std::mutex> hold(lock_);
    open_ = true;
    changed_.notify_all();
  }

 private:
  std::mutex lock_;
  std::condition_variable changed_;
  bool entered_ = false;
  bool open_ = false;
};

TEST_F(RefreshWorkerTest, OnAThreadTheMergeWaitsForTheGuiThread) {
  UseThreads();
  Created();
  ReadGate gate;
  services.tables.whileReading = [&] { gate.Enter(); };
  services.tables.rows.tcp.pop_back();

  Form().HandleEvent([&] { Form().BTNRefreshClick(); });
  gate.WaitUntilEntered();
  ExpectRefreshRunning();  // the GUI thread is free while the read runs
  gate.Open();
  threads->Wait();
  EXPECT_EQ(Form().VTS().RowCount(), 4u);

  EXPECT_EQ(RunPosted(), 1);
  EXPECT_THAT(RowNames(), ElementsAre("postgres", "sshd", "System"));
  EXPECT_TRUE(Form().RefreshEnabled());
}

TEST_F(RefreshWorkerTest, OnAThreadDestroyingTheFormDuringTheReadIsSafe) {
  UseThreads();
  Created();
  ReadGate gate;
  services.tables.whileReading = [&] { gate.Enter(); };
  Form().HandleEvent([&] { Form().BTNRefreshClick(); });
  gate.WaitUntilEntered();

  gate.Open();
  DestroyForm();  // joins the read, which may still be running

  RunPosted();  // the completion finds the form gone
  EXPECT_EQ(surface.Posted(), 0u);
}

}  // namespace
}  // namespace halvane
