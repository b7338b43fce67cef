#pragma once
#include <string>

#include "connlist/my_rec.h"

namespace halvane {

// 23 times U+2015 HORIZONTAL BAR, the report's first and last line.
extern const char* const kReportSeparator;

// The text report of a row that the copy command puts on the clipboard: 14 lines, each ending
// in CR LF, the row's values as the row holds them and empty where a field is empty.
// `homeAddress` is the product's web-site address on the home-page line.
std::string RowReport(const TMyRec& rec, const std::string& homeAddress);

}  // namespace halvane
