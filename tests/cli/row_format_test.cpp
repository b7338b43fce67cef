#include "cli/row_format.h"

#include <gtest/gtest.h>

#include "cli/text_width.h"

namespace halvane {
namespace {

TMyRec SampleRow() {
  TMyRec r;
  r.Protocol = "TCP";
  r.State = "监听";
  r.LocalIP = "127.0.0.1";
  r.LocalPort = "80";
  r.RemoteIP = "0.0.0.0";
  r.RemotePort = "0";
  r.PID = "42";
  r.ProcessName = "nginx";
  r.ProcessPath = "/usr/sbin/nginx";
  r.Description = "small, \"powerful\" server";
  r.Company = "Ng\nInc";
  r.Mark = "add";
  return r;
}

TEST(RowFormat, CsvQuotesPerRfc4180AndCarriesEveryField) {
  const TMyRec r = SampleRow();
  const std::string csv = FormatCsv({&r});
  EXPECT_EQ(csv,
            "Protocol,State,LocalIP,LocalPort,RemoteIP,RemotePort,PID,ProcessName,ProcessPath,"
            "Description,Company,Mark\r\n"
            "TCP,监听,127.0.0.1,80,0.0.0.0,0,42,nginx,/usr/sbin/nginx,"
            "\"small, \"\"powerful\"\" server\",\"Ng\nInc\",add\r\n");
}

TEST(RowFormat, JsonLinesEscapeAndReplaceInvalidUtf8) {
  TMyRec r = SampleRow();
  r.ProcessPath = "/tmp/a\\b\x01\xff";
  const std::string json = FormatJsonLines({&r});
  EXPECT_NE(json.find("\"ProcessPath\": \"/tmp/a\\\\b\\u0001\xEF\xBF\xBD\""), std::string::npos)
      << json;
  EXPECT_NE(json.find("\"Description\": \"small, \\\"powerful\\\" server\""), std::string::npos);
  EXPECT_NE(json.find("\"Company\": \"Ng\\nInc\""), std::string::npos);
  EXPECT_NE(json.find("\"Mark\": \"add\"}"), std::string::npos);
  EXPECT_EQ(json.back(), '\n');
  EXPECT_EQ(JsonString("状态"), "\"状态\"");
}

TEST(RowFormat, TableAlignsWideCharactersAndShowsChosenColumns) {
  TMyRec a = SampleRow();
  TMyRec b = SampleRow();
  b.ProcessName = "a-much-longer-name";
  b.State = "已建立";
  const std::string table = FormatTable({&a, &b});
  std::vector<std::string> lines;
  for (std::size_t at = 0, next; (next = table.find('\n', at)) != std::string::npos; at = next + 1)
    lines.push_back(table.substr(at, next - at));
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0].rfind("进程", 0), 0u);
  EXPECT_NE(lines[0].find("文件路径"), std::string::npos);
  EXPECT_EQ(lines[0].find("备注"), std::string::npos);
  EXPECT_EQ(lines[0].find("进程ID"), std::string::npos);
  // The protocol column starts at the same screen column on every line.
  const auto protocolColumn = [](const std::string& line, const std::string& word) {
    return DisplayWidth(line.substr(0, line.find(word)));
  };
  EXPECT_EQ(protocolColumn(lines[0], "协议"), protocolColumn(lines[1], "TCP"));
  EXPECT_EQ(protocolColumn(lines[1], "TCP"), protocolColumn(lines[2], "TCP"));
  EXPECT_EQ(protocolColumn(lines[0], "状态"), protocolColumn(lines[2], "已建立"));
}

TEST(RowFormat, CounterSentence) {
  EXPECT_EQ(CounterSentence("3", "17"), "当前有3个程序已连接或尝试连接网络，共建立17个连接。");
  EXPECT_EQ(DisplayWidth("ab进程"), 6u);
  EXPECT_EQ(DisplayWidth("\xff"), 1u);
}

}  // namespace
}  // namespace halvane
