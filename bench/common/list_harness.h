#pragma once
#include <string>

#include "connlist/connection_list.h"
#include "connlist/pathless_texts.h"
#include "view/connection_view_model.h"

namespace halvane::bench {

// The main window's side of the list: the show-loopback box and the two counters.
class BenchWindow : public IListWindow {
 public:
  explicit BenchWindow(bool showLocal) : showLocal_(showLocal) {}
  bool ShowLocalChecked() const override { return showLocal_; }
  void SetNetCount(const std::string& text) override { netCount = text; }
  void SetAppCount(const std::string& text) override { appCount = text; }

  std::string netCount = "0";
  std::string appCount = "0";

 private:
  bool showLocal_;
};

// A connection list over the real view model, as the window and the console program use it.
struct ListHarness {
  ListHarness(ConnectionSnapshot& snapshot, bool showLocal)
      : window(showLocal), list(snapshot, view, window, {kDescSystemText, kDescIdleText}) {}

  ConnectionViewModel view;
  BenchWindow window;
  ConnectionList list;
};

}  // namespace halvane::bench
