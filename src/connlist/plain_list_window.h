#pragma once
#include <string>

#include "connlist/list_view.h"

namespace halvane {

// The window's side of the list where there is no window (console, benchmarks): the
// show-loopback choice and the two counters as text.
class PlainListWindow : public IListWindow {
 public:
  explicit PlainListWindow(bool showLocal) : showLocal_(showLocal) {}
  bool ShowLocalChecked() const override { return showLocal_; }
  void SetNetCount(const std::string& text) override { netCount = text; }
  void SetAppCount(const std::string& text) override { appCount = text; }

  std::string netCount = "0";
  std::string appCount = "0";

 private:
  bool showLocal_;
};

}  // namespace halvane
