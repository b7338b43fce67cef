#pragma once
#include <string_view>

#include "connlist/my_rec.h"

namespace halvane {

// Byte comparison with ASCII a-z folded to A-Z: the first differing pair decides by its
// unsigned difference, a prefix sorts first. Other bytes (Chinese text too) compare as they are.
int CompareFolded(std::string_view a, std::string_view b);

// The text a column sorts by, or null for the columns that never order rows (0, 2, 9, 13...).
const RecText* SortFieldOf(const TMyRec& rec, int column);

// VTSCompareNodes: negative, zero or positive for row 1 before, equal to or after row 2.
int CompareRows(const TMyRec* rec1, const TMyRec* rec2, int column);

}  // namespace halvane
