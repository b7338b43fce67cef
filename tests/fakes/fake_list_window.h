#pragma once
#include <string>
#include <vector>

#include "connlist/list_view.h"

namespace halvane::fakes {

// The main window's loopback check box and the two counter labels.
class FakeListWindow : public IListWindow {
 public:
  bool ShowLocalChecked() const override { return showLocal; }
  void SetNetCount(const std::string& text) override {
    netCount = text;
    netCountHistory.push_back(text);
  }
  void SetAppCount(const std::string& text) override {
    appCount = text;
    appCountHistory.push_back(text);
  }

  bool showLocal = true;  // checked in the window layout
  std::string netCount = "0";
  std::string appCount = "0";
  std::vector<std::string> netCountHistory;
  std::vector<std::string> appCountHistory;
};

}  // namespace halvane::fakes
