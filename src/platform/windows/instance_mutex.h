#pragma once
#include <windows.h>

#include <string>

namespace halvane {

// The guard that lets one copy of the program run within a logon: a named mutex, created not
// owned. The copy that made it holds it for as long as the object lives; the system drops it
// when the holding process ends, however it ends.
class InstanceMutex {
 public:
  explicit InstanceMutex(const std::string& name);
  ~InstanceMutex();
  InstanceMutex(const InstanceMutex&) = delete;
  InstanceMutex& operator=(const InstanceMutex&) = delete;

  // A mutex of that name existed before (ERROR_ALREADY_EXISTS). Any other failure to create it
  // lets the program start as the first copy.
  bool AnotherCopyRuns() const { return alreadyExisted_; }

 private:
  HANDLE handle_ = nullptr;
  bool alreadyExisted_ = false;
};

}  // namespace halvane
