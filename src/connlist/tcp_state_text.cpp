#include "connlist/tcp_state_text.h"

#include <array>

namespace halvane {

std::string TcpStateText(std::int32_t code) {
  static constexpr std::array<const char*, 12> kTexts = {
      "关闭",      "监听",     "同步发送", "同步接收", "已建立",   "等待完成1",
      "等待完成2", "等待关闭", "正在关闭", "最后确认", "等待时间", "删除"};
  if (code >= 1 && code <= 12)
    return kTexts[static_cast<std::size_t>(code - 1)];
  return "未知状态" + std::to_string(code);
}

}  // namespace halvane
