#include "connlist/pathless_texts.h"

#include <gtest/gtest.h>

#include <string>

namespace halvane {
namespace {

TEST(PathlessTexts, AreTheWindowsFixedDescriptions) {
  EXPECT_EQ(std::string(kDescSystemText),
            "系统核心内存管理进程，拥有最高优先权，没有它系统无法启动。");
  EXPECT_EQ(std::string(kDescIdleText),
            "系统核心虚拟进程，用来表示系统的空闲状态，这个数值越大CPU的空闲率就越高，反之就是CPU的"
            "占用率越高。");
}

}  // namespace
}  // namespace halvane
