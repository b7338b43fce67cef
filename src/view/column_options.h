#pragma once
#include <array>
#include <cstdint>

#include "view/columns.h"

namespace halvane {

// Column option flags held in 16 bits, by bit number.
enum ColumnOption : std::uint16_t {
  coAllowClick = 1u << 0,
  coEnabled = 1u << 2,
  coParentColor = 1u << 4,
  coResizable = 1u << 5,
  coShowDropMark = 1u << 6,
  coVisible = 1u << 7,
  coAllowFocus = 1u << 11,
};

// The whole option sets given to the file detail columns; they differ only in coVisible.
inline constexpr std::uint16_t kShownColumnOptions = coAllowClick | coEnabled | coParentColor |
                                                     coResizable | coShowDropMark | coVisible |
                                                     coAllowFocus;                       // 2293
inline constexpr std::uint16_t kHiddenColumnOptions = kShownColumnOptions & ~coVisible;  // 2165

static_assert(kShownColumnOptions == 2293 && kHiddenColumnOptions == 2165);

inline constexpr int kFirstFileInfoColumn = 10;  // file path, file description, company
inline constexpr int kLastFileInfoColumn = 12;

// The option set of every column. A front end shows a column exactly while it has coVisible.
class ColumnOptions {
 public:
  // Each column starts with the shown or the hidden set, as its visibility at start says.
  ColumnOptions();

  std::uint16_t Options(int column) const;  // 0 for an index that is no column
  void SetOptions(int column, std::uint16_t options);
  bool IsVisible(int column) const { return (Options(column) & coVisible) != 0; }

  // The "ShowInfo" option: columns 10 to 12 get the shown or the hidden set, together.
  void ShowFileInfoColumns(bool shown);

 private:
  std::array<std::uint16_t, kColumnCount> options_{};
};

}  // namespace halvane
