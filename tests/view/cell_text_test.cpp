#include <gtest/gtest.h>

#include <string>

#include "view/columns.h"

namespace halvane {
namespace {

const std::string kNotEnabled = "未启用";

TMyRec FullRecord() {
  TMyRec rec;
  rec.PID = "1234";
  rec.ProcessName = "浏览器.exe";
  rec.Protocol = "TCP";
  rec.LocalIP = "127.0.0.1";
  rec.LocalPort = "8080";
  rec.RemoteIP = "10.0.0.2";
  rec.RemotePort = "443";
  rec.State = "ESTABLISHED";
  rec.ProcessPath = "/usr/lib/firefox/firefox";
  rec.Description = "Web browser";
  rec.Company = "Mozilla";
  rec.Mark = "add";
  return rec;
}

struct CellCase {
  int column;
  const char* text;
};

class CellTextByColumn : public ::testing::TestWithParam<CellCase> {};

TEST_P(CellTextByColumn, PicksTheColumnsField) {
  const TMyRec rec = FullRecord();
  EXPECT_EQ(CellText(&rec, GetParam().column, kNotEnabled), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Columns, CellTextByColumn,
    ::testing::Values(CellCase{0, "1234"}, CellCase{1, "浏览器.exe"}, CellCase{2, "未启用"},
                      CellCase{3, "TCP"}, CellCase{4, "127.0.0.1"}, CellCase{5, "8080"},
                      CellCase{6, "10.0.0.2"}, CellCase{7, "443"}, CellCase{8, "ESTABLISHED"},
                      CellCase{9, ""}, CellCase{10, "/usr/lib/firefox/firefox"},
                      CellCase{11, "Web browser"}, CellCase{12, "Mozilla"}, CellCase{13, "add"},
                      CellCase{-1, ""}, CellCase{14, ""}, CellCase{-2, ""}, CellCase{1000, ""}));

TEST(CellText, SecurityLevelIsTheNotEnabledTextForEveryRow) {
  const TMyRec empty;
  const TMyRec full = FullRecord();
  EXPECT_EQ(CellText(&empty, 2, kNotEnabled), "未启用");
  EXPECT_EQ(CellText(&full, 2, kNotEnabled), "未启用");
  EXPECT_EQ(CellText(&full, 2, "other"), "other");  // the window's text, not a constant
}

TEST(CellText, ManageColumnIsAlwaysEmpty) {
  TMyRec rec = FullRecord();
  EXPECT_EQ(CellText(&rec, 9, kNotEnabled), "");
  EXPECT_EQ(CellText(&rec, 9, ""), "");
}

TEST(CellText, NoRowGivesEmptyTextInEveryColumn) {
  for (int column = -1; column <= 14; ++column) {
    EXPECT_EQ(CellText(nullptr, column, kNotEnabled), "") << "column " << column;
  }
}

TEST(CellText, EmptyFieldsGiveEmptyText) {
  const TMyRec udp;  // UDP rows have no state, remote address or port
  for (int column : {0, 1, 3, 4, 5, 6, 7, 8, 10, 11, 12, 13}) {
    EXPECT_EQ(CellText(&udp, column, kNotEnabled), "") << "column " << column;
  }
}

}  // namespace
}  // namespace halvane
