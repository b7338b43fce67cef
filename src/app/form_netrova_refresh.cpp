#include <utility>

#include "app/form_netrova.h"

namespace halvane {

// A refresh runs in two halves: the read of the tables on the runner's thread, then the merge
// on the GUI thread once the read has posted back. From the start of the read to the end of the
// merge the button is disabled and the timer stopped, as for a refresh that runs in one piece.

void TFormNetrova::BTNRefreshClick() {
  // One read at a time: a request meanwhile (the loopback box, an ended process, a tick that
  // slipped in) runs as soon as this refresh is over, and then follows the window's new state.
  if (refreshRunning_) {
    refreshRequested_ = true;
    return;
  }
  EnableRefresh(false);
  if (CBAutoRefresh)
    StopTimer();
  if (!list_) {
    // The creation stopped before the list was made: there is nothing to merge into.
    AfterRefresh();
    surface_.FocusView();
    return;
  }
  StartTableRead();
}

void TFormNetrova::StartTableRead() {
  refreshRunning_ = true;
  const std::weak_ptr<TFormNetrova*> form = alive_;
  ConnectionList* const list = list_.get();
  try {
    // The rows are paired on the reading thread too; the merge checks that the pairing still
    // holds for the rows as they are by then.
    list->NoteRowsForPairing();
    runner_->Start([this, form, list] {
      std::exception_ptr readError;
      try {
        snapshot_.ReadConnectionTables();
        list->PairNotedRows();
      } catch (...) {
        readError = std::current_exception();
      }
      // Nothing of the form is touched here: the completion checks on the GUI thread that the
      // form still exists.
      surface_.PostToGuiThread([form, readError] {
        if (const std::shared_ptr<TFormNetrova*> alive = form.lock())
          (*alive)->FinishRefresh(readError);
      });
    });
  } catch (...) {
    // No memory to note the rows, or no thread to read on: the refresh ends at once, with the
    // error.
    AfterRefresh();
    throw;
  }
}

void TFormNetrova::FinishRefresh(const std::exception_ptr& readError) {
  if (closed_) {
    refreshRunning_ = false;
    return;
  }
  // Completions come from the message loop: their errors go to the default error box here.
  HandleEvent([&] { MergeReadTables(readError); });
  if (std::exchange(refreshRequested_, false))
    HandleEvent([this] { BTNRefreshClick(); });
}

void TFormNetrova::MergeReadTables(const std::exception_ptr& readError) {
  try {
    if (readError)
      std::rethrow_exception(readError);
    list_->MergeSnapshot();
  } catch (...) {
    AfterRefresh();
    throw;
  }
  AfterRefresh();
  surface_.FocusView();
}

void TFormNetrova::AfterRefresh() {
  ReleaseMergedSnapshot();
  refreshRunning_ = false;
  surface_.ViewChanged();
  EnableRefresh(true);
  // Starting begins a new interval: the next tick comes a full interval after this refresh.
  if (CBAutoRefresh)
    StartTimer();
}

// The rows hold what the window shows; the snapshot behind them is not needed until the next
// read, which fills it anew. Between refreshes the window then holds its rows alone.
void TFormNetrova::ReleaseMergedSnapshot() {
  snapshot_.ReleaseTables();
  services_.ReturnFreeMemory();
}

void TFormNetrova::Timer1Timer() {
  BTNRefreshClick();
}

void TFormNetrova::EnableRefresh(bool enabled) {
  BTNRefreshEnabled = enabled;
  surface_.SetRefreshEnabled(enabled);
}

void TFormNetrova::StartTimer() {
  Timer1Enabled = true;
  surface_.StartTimer(kTimerIntervalMs);
}

void TFormNetrova::StopTimer() {
  Timer1Enabled = false;
  surface_.StopTimer();
}

}  // namespace halvane
