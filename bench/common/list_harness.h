#pragma once
#include <string>

#include "connlist/connection_list.h"
#include "connlist/pathless_texts.h"
#include "connlist/plain_list_window.h"
#include "view/connection_view_model.h"

namespace halvane::bench {

// A connection list over the real view model, as the window and the console program use it.
struct ListHarness {
  ListHarness(ConnectionSnapshot& snapshot, bool showLocal)
      : window(showLocal), list(snapshot, view, window, {kDescSystemText, kDescIdleText}) {}

  ConnectionViewModel view;
  PlainListWindow window;
  ConnectionList list;
};

}  // namespace halvane::bench
