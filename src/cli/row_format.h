#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "connlist/my_rec.h"

namespace halvane {

// "当前有" N "个程序已连接或尝试连接网络，共建立" M "个连接。"
std::string CounterSentence(const std::string& appCount, const std::string& netCount);

// An aligned table with the captions of the columns the window shows at start and the file
// columns: process, protocol, addresses, ports, state, path, description, company.
std::string FormatTable(const std::vector<const TMyRec*>& rows);
// A header line of the record's field names, then one line per row (RFC 4180 quoting).
std::string FormatCsv(const std::vector<const TMyRec*>& rows);
// One JSON object per row keyed by the record's field names (JSON Lines).
std::string FormatJsonLines(const std::vector<const TMyRec*>& rows);

std::string CsvField(std::string_view text);
std::string JsonString(std::string_view utf8);

}  // namespace halvane
