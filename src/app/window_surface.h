#pragma once
#include <functional>
#include <memory>
#include <string>

#include "app/proc_info_surface.h"

namespace halvane {

// The four option check boxes, by their Tag.
enum class OptionBox { ShowLocal = 1, AutoRefresh = 2, AlwaysTop = 3, ShowInfo = 4 };

enum class MessageIcon { None, Question, Warning, Stop };

class TFormProcInfo;

// What the main window's handlers need of the screen. The front end implements it; tests fake it.
// The view's rows, sort state and menu state live in the toolkit-neutral model; the front end
// draws from it after ViewChanged.
class IMainWindowSurface {
 public:
  virtual ~IMainWindowSurface() = default;
  virtual void SetAppCountText(const std::string& text) = 0;  // LabAppCount
  virtual void SetNetCountText(const std::string& text) = 0;  // LabNetCount
  virtual void ShowChecked(OptionBox box, bool checked) = 0;  // mirrors the model's state
  virtual void SetRefreshEnabled(bool enabled) = 0;           // BTNRefresh
  // Timer1: start begins a new interval of `intervalMs`.
  virtual void StartTimer(int intervalMs) = 0;
  virtual void StopTimer() = 0;
  // Enters or leaves the topmost group, keeping place and size.
  virtual void SetTopmost(bool topmost) = 0;
  virtual void SetColumnVisible(int column, bool visible) = 0;
  // Rows, order, selection or focus changed: repaint the view.
  virtual void ViewChanged() = 0;
  virtual void FocusView() = 0;
  // The framework's simple message box: the text, one OK button, caption "Halvane".
  virtual void ShowMessage(const std::string& text) = 0;
  // A question with Yes and No; `defaultNo` preselects No. True for Yes.
  virtual bool AskYesNo(const std::string& text, MessageIcon icon, bool defaultNo) = 0;
  // The default error box: the error's message, caption "Halvane", a stop icon, OK.
  virtual void ShowError(const std::string& text) = 0;
  // The screen of a new process details dialog owned by the main window; its events go to
  // `dialog`. Null where the front end has no such dialog: the details are then not shown.
  virtual std::unique_ptr<IProcInfoSurface> CreateProcInfoSurface(TFormProcInfo& dialog) {
    return nullptr;
  }
  // Called from any thread: runs `task` on the GUI thread, later, between two window messages.
  // The default runs it at once, on the calling thread; that serves only a form whose refresh
  // reads its tables on the GUI thread (an InlineRunner).
  virtual void PostToGuiThread(std::function<void()> task) { task(); }
};

}  // namespace halvane
