#include "view/columns.h"

namespace halvane {

const std::array<ColumnInfo, kColumnCount>& ViewColumns() {
  static const std::array<ColumnInfo, kColumnCount> kColumns = {{
      {0, "进程ID", 24, false, ColumnAlign::Left, false},
      {1, "进程", 120, true, ColumnAlign::Left, false},
      {2, "安全等级", 80, false, ColumnAlign::Left, false},
      {3, "协议", 60, true, ColumnAlign::Left, false},
      {4, "本地IP", 100, true, ColumnAlign::Left, false},
      {5, "本地端口", 80, true, ColumnAlign::Left, false},
      {6, "目标IP", 130, true, ColumnAlign::Left, false},
      {7, "目标端口", 110, true, ColumnAlign::Left, false},
      {8, "状态", 80, true, ColumnAlign::Left, false},
      {9, "管理", 40, true, ColumnAlign::Center, true},
      {10, "文件路径", 260, false, ColumnAlign::Left, false},
      {11, "文件说明", 150, false, ColumnAlign::Left, false},
      {12, "公司", 80, false, ColumnAlign::Left, false},
      {13, "备注", 50, false, ColumnAlign::Left, false},
  }};
  return kColumns;
}

std::string CellText(const TMyRec* rec, int column, const std::string& textNotEnabled) {
  if (rec == nullptr)
    return {};
  switch (column) {
    case 0:
      return rec->PID.str();
    case 1:
      return rec->ProcessName.str();
    case 2:
      return textNotEnabled;
    case 3:
      return rec->Protocol.str();
    case 4:
      return rec->LocalIP.str();
    case 5:
      return rec->LocalPort.str();
    case 6:
      return rec->RemoteIP.str();
    case 7:
      return rec->RemotePort.str();
    case 8:
      return rec->State.str();
    case 10:
      return rec->ProcessPath.str();
    case 11:
      return rec->Description.str();
    case 12:
      return rec->Company.str();
    case 13:
      return rec->Mark.str();
    default:
      return {};
  }
}

}  // namespace halvane
