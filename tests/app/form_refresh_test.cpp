#include "form_fixture.h"

namespace halvane {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

using RefreshTest = FormTest;

TEST_F(RefreshTest, WithoutAutoRefreshTheButtonLeavesTheTimerAlone) {
  Created();

  Refreshed();

  EXPECT_THAT(log, ElementsAre("RefreshEnabled 0", "tcp table", "udp table", "NetCount 4",
                               "AppCount 3", "ViewChanged", "RefreshEnabled 1", "FocusView"));
  EXPECT_TRUE(Form().RefreshEnabled());
  EXPECT_FALSE(Form().TimerRunning());
}

TEST_F(RefreshTest, WithAutoRefreshTheTimerStopsAndStartsAFreshInterval) {
  Created();
  Click(OptionBox::AutoRefresh, true);
  log.clear();

  Refreshed();

  EXPECT_THAT(log, ElementsAre("RefreshEnabled 0", "StopTimer", "tcp table", "udp table",
                               "NetCount 4", "AppCount 3", "ViewChanged", "RefreshEnabled 1",
                               "StartTimer 10000", "FocusView"));
  EXPECT_TRUE(Form().TimerRunning());
}

TEST_F(RefreshTest, TimerTickClicksTheRefreshButton) {
  Created();
  Click(OptionBox::AutoRefresh, true);
  services.tables.rows.tcp.pop_back();  // the firefox connection has gone
  log.clear();

  Form().HandleEvent([&] { Form().Timer1Timer(); });
  RunPosted();

  EXPECT_THAT(log, ElementsAre("RefreshEnabled 0", "StopTimer", "tcp table", "udp table",
                               "NetCount 3", "AppCount 2", "ViewChanged", "RefreshEnabled 1",
                               "StartTimer 10000", "FocusView"));
  EXPECT_THAT(RowNames(), ElementsAre("postgres", "sshd", "System"));
}

struct FailureCase {
  const char* name;
  bool autoRefresh;
  bool byTimer;
};

class FailingRefreshTest : public FormTest, public ::testing::WithParamInterface<FailureCase> {};

TEST_P(FailingRefreshTest, EnablesTheButtonAndRestartsTheTimerThenShowsTheError) {
  const FailureCase& c = GetParam();
  Created();
  if (c.autoRefresh)
    Click(OptionBox::AutoRefresh, true);
  services.tables.failure = "the tables went away";
  log.clear();

  Form().HandleEvent([&] {
    if (c.byTimer) {
      Form().Timer1Timer();
    } else {
      Form().BTNRefreshClick();
    }
  });
  RunPosted();

  if (c.autoRefresh) {
    EXPECT_THAT(log, ElementsAre("RefreshEnabled 0", "StopTimer", "ViewChanged", "RefreshEnabled 1",
                                 "StartTimer 10000", "Error the tables went away"));
  } else {
    EXPECT_THAT(log, ElementsAre("RefreshEnabled 0", "ViewChanged", "RefreshEnabled 1",
                                 "Error the tables went away"));
  }
  EXPECT_TRUE(Form().RefreshEnabled());
  EXPECT_EQ(Form().TimerRunning(), c.autoRefresh);
  EXPECT_EQ(Form().VTS().RowCount(), 4u);

  // The next try works.
  services.tables.failure.clear();
  services.tables.rows.udp.clear();
  Form().HandleEvent([&] { Form().Timer1Timer(); });
  RunPosted();
  EXPECT_THAT(surface.errors, ElementsAre("the tables went away"));
  EXPECT_EQ(Form().VTS().RowCount(), 3u);
}

INSTANTIATE_TEST_SUITE_P(Ways, FailingRefreshTest,
                         ::testing::Values(FailureCase{"ButtonWithAutoRefresh", true, false},
                                           FailureCase{"TimerWithAutoRefresh", true, true},
                                           FailureCase{"ButtonWithoutAutoRefresh", false, false}),
                         [](const auto& caseInfo) { return std::string(caseInfo.param.name); });

TEST_F(RefreshTest, ErrorOutsideTheStandardFamilyStillReachesTheErrorBox) {
  Created();
  Form().HandleEvent([] { throw 42; });
  EXPECT_THAT(surface.errors, ElementsAre("Unknown error"));
  Form().HandleEvent([] {});
  EXPECT_EQ(surface.errors.size(), 1u);
}

// ---- The option boxes

using OptionsTest = FormTest;

TEST_F(OptionsTest, ShowLocalRefreshesAtOnceWithTheNewState) {
  Created();

  Click(OptionBox::ShowLocal, false);
  RunPosted();

  EXPECT_THAT(
      log, ElementsAre("ShowChecked 1 0", "RefreshEnabled 0", "tcp table", "udp table",
                       "NetCount 3", "AppCount 3", "ViewChanged", "RefreshEnabled 1", "FocusView"));
  EXPECT_THAT(RowNames(), ElementsAre("firefox", "sshd", "System"));
  EXPECT_EQ(ReadFileBytes(IniBeside()), "[Set]\nShowLocal=0\n");

  Click(OptionBox::ShowLocal, true);
  RunPosted();
  EXPECT_THAT(RowNames(), ElementsAre("firefox", "postgres", "sshd", "System"));
  EXPECT_EQ(ReadFileBytes(IniBeside()), "[Set]\nShowLocal=1\n");
}

TEST_F(OptionsTest, AutoRefreshRunsTheTimerWithoutRefreshing) {
  Created();

  Click(OptionBox::AutoRefresh, true);
  EXPECT_THAT(log, ElementsAre("ShowChecked 2 1", "StartTimer 10000"));
  EXPECT_TRUE(Form().TimerRunning());

  log.clear();
  Click(OptionBox::AutoRefresh, false);
  EXPECT_THAT(log, ElementsAre("ShowChecked 2 0", "StopTimer"));
  EXPECT_FALSE(Form().TimerRunning());
  EXPECT_EQ(ReadFileBytes(IniBeside()), "[Set]\nAutoRefresh=0\n");
}

TEST_F(OptionsTest, AlwaysTopLeavesAndEntersTheTopmostGroup) {
  Created();
  EXPECT_TRUE(Form().Topmost());

  Click(OptionBox::AlwaysTop, false);
  EXPECT_THAT(log, ElementsAre("ShowChecked 3 0", "Topmost 0"));
  EXPECT_FALSE(Form().Topmost());

  log.clear();
  Click(OptionBox::AlwaysTop, true);
  EXPECT_THAT(log, ElementsAre("ShowChecked 3 1", "Topmost 1"));
  EXPECT_TRUE(Form().Topmost());
  EXPECT_EQ(ReadFileBytes(IniBeside()), "[Set]\nAlwaysTop=1\n");
}

TEST_F(OptionsTest, ShowInfoShowsAndHidesTheFileColumnsInOrderWithoutRefreshing) {
  Created();

  Click(OptionBox::ShowInfo, true);
  EXPECT_THAT(log, ElementsAre("ShowChecked 4 1", "ColumnVisible 10 1", "ColumnVisible 11 1",
                               "ColumnVisible 12 1"));
  for (const ColumnInfo& column : ViewColumns()) {
    const bool fileColumn = column.index >= 10 && column.index <= 12;
    EXPECT_EQ(Form().ColumnVisible(column.index), fileColumn || column.visibleAtStart)
        << column.index;
  }

  log.clear();
  Click(OptionBox::ShowInfo, false);
  EXPECT_THAT(log, ElementsAre("ShowChecked 4 0", "ColumnVisible 10 0", "ColumnVisible 11 0",
                               "ColumnVisible 12 0"));
  EXPECT_FALSE(Form().ColumnVisible(11));
  EXPECT_EQ(ReadFileBytes(IniBeside()), "[Set]\nShowInfo=0\n");
}

TEST_F(OptionsTest, SettingABoxToTheStateItHasFiresNothing) {
  Created();
  Form().SetOptionChecked(OptionBox::ShowLocal, true);
  Form().SetOptionChecked(OptionBox::AutoRefresh, false);
  Click(OptionBox::AlwaysTop, true);
  Click(OptionBox::ShowInfo, false);
  EXPECT_THAT(log, IsEmpty());
  EXPECT_FALSE(fs::exists(IniBeside()));
}

TEST_F(OptionsTest, SettingABoxFromCodeRunsItsHandler) {
  Created();
  Form().HandleEvent([&] { Form().SetOptionChecked(OptionBox::AlwaysTop, false); });
  EXPECT_THAT(log, ElementsAre("ShowChecked 3 0", "Topmost 0"));
  EXPECT_FALSE(Form().Mirror(OptionBox::AlwaysTop));
}

}  // namespace
}  // namespace halvane
