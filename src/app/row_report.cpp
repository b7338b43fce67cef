#include "app/row_report.h"

namespace halvane {

const char* const kReportSeparator = "―――――――――――――――――――――――";

namespace {

constexpr const char* kLineEnd = "\r\n";

void AddLine(std::string& report, const std::string& text) {
  report += text;
  report += kLineEnd;
}

}  // namespace

std::string RowReport(const TMyRec& rec, const std::string& homeAddress) {
  std::string report;
  AddLine(report, kReportSeparator);
  AddLine(report, "程序名称:" + rec.ProcessName);
  AddLine(report, "程序说明:" + rec.Description);
  AddLine(report, "路径:" + rec.ProcessPath);
  AddLine(report, "PID:" + rec.PID);
  AddLine(report, "网络协议:" + rec.Protocol);
  AddLine(report, "本机地址:" + rec.LocalIP);
  AddLine(report, "本地端口:" + rec.LocalPort);
  AddLine(report, "目标地址:" + rec.RemoteIP);
  AddLine(report, "目标端口:" + rec.RemotePort);
  AddLine(report, "状态:" + rec.State);
  AddLine(report, "生成:Halvane");
  AddLine(report, "主页:" + homeAddress);
  AddLine(report, kReportSeparator);
  return report;
}

}  // namespace halvane
