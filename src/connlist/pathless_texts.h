#pragma once

namespace halvane {

// Descriptions of the processes that have no program file.
inline constexpr const char* kDescSystemText =
    "系统核心内存管理进程，拥有最高优先权，没有它系统无法启动。";
inline constexpr const char* kDescIdleText =
    "系统核心虚拟进程，用来表示系统的空闲状态，这个数值越大CPU的空闲率就越高，反之就是CPU的占用率越"
    "高。";

}  // namespace halvane
