#include "platform/windows/instance_mutex.h"

#include "platform/windows/wide_text.h"

namespace halvane {

InstanceMutex::InstanceMutex(const std::string& name) {
  handle_ = CreateMutexW(nullptr, FALSE, Utf8ToWide(name).c_str());
  alreadyExisted_ = GetLastError() == ERROR_ALREADY_EXISTS;
}

InstanceMutex::~InstanceMutex() {
  if (handle_ != nullptr)
    CloseHandle(handle_);
}

}  // namespace halvane
