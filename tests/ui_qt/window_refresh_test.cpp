#include <algorithm>

#include "ui_qt/window_fixture.h"

namespace halvane::testing_qt {
namespace {

using WindowRefreshTest = WindowTest;

TEST_F(WindowRefreshTest, TheButtonAndTimerWaitForTheMergeOfAReadOnAnotherThread) {
  WriteText(SettingsFile(), "[Set]\nAutoRefresh=1\n");
  Open();
  services->tables.tcp.pop_back();  // the loopback connection has gone

  window->PBottom->BTNRefresh->click();
  EXPECT_FALSE(window->PBottom->BTNRefresh->isEnabled());
  EXPECT_FALSE(window->Timer1->isActive());
  threads->Wait();
  EXPECT_FALSE(window->PBottom->BTNRefresh->isEnabled());  // the merge has not run yet
  EXPECT_EQ(window->VTS->model()->rowCount(), 5);

  SettleRefresh();
  EXPECT_EQ(window->VTS->model()->rowCount(), 4);
  EXPECT_EQ(window->PTop->LabNetCount->text(), "4");
  EXPECT_TRUE(window->PBottom->BTNRefresh->isEnabled());
  EXPECT_TRUE(window->Timer1->isActive());
  EXPECT_TRUE(surface.errors.empty());
}

TEST_F(WindowRefreshTest, ATickDuringTheReadRefreshesOnceMoreAfterIt) {
  Open();
  const auto snapshots = [&] {
    const auto& calls = services->identity.log;
    return std::count(calls.begin(), calls.end(), "snapshot");
  };
  const auto before = snapshots();
  window->PBottom->BTNRefresh->click();
  form->HandleEvent([&] { form->Timer1Timer(); });  // as the timer's tick is delivered

  SettleRefresh();
  EXPECT_FALSE(form->RefreshRunning());
  EXPECT_EQ(snapshots(), before + 2);  // one read after the other
  EXPECT_TRUE(window->PBottom->BTNRefresh->isEnabled());
  EXPECT_EQ(window->VTS->model()->rowCount(), 5);
}

TEST_F(WindowRefreshTest, ClosingTheWindowDuringAReadLeavesTheReadToEndUnseen) {
  Open();
  window->PBottom->BTNRefresh->click();
  window->hide();
  form->FormClose();
  window.reset();
  form.reset();  // joins the read; its completion finds the form gone
  QCoreApplication::sendPostedEvents(nullptr, QEvent::MetaCall);
  EXPECT_TRUE(surface.errors.empty());
}

}  // namespace
}  // namespace halvane::testing_qt
