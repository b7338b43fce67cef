#pragma once
#include <cstdint>
#include <string>

#include "view/connection_view_model.h"

namespace halvane {

// Typed characters build a search text; a pause of more than 200 ms starts a new one. The first
// row from the focused one down (wrapping) whose text in the focus column begins with the search
// text becomes the focused and only selected row.
class IncrementalSearch {
 public:
  static constexpr std::int64_t kTimeoutMs = 200;
  enum class Result { Found, NotFound };  // NotFound: the front end beeps

  // `focusColumn` is -1 until the user first clicks into the rows; while it is, nothing matches.
  Result KeyTyped(ConnectionViewModel& view, const std::string& utf8Char, std::int64_t nowMs,
                  int focusColumn, const std::string& textNotEnabled);

  // The text typed since the last pause, the key that found nothing included.
  const std::string& SearchText() const { return text_; }

 private:
  std::string text_;
  std::int64_t lastKeyMs_ = 0;
  bool started_ = false;
};

}  // namespace halvane
