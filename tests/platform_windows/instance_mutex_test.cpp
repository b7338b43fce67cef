#include "platform/windows/instance_mutex.h"

#include <gtest/gtest.h>

#include <random>

namespace halvane {
namespace {

// A name no other test run uses.
std::string UniqueName() {
  std::random_device random;
  return "Halvane-test-" + std::to_string(random());
}

TEST(InstanceMutexTest, TheFirstCopyRunsAndASecondSeesIt) {
  const std::string name = UniqueName();
  const InstanceMutex first(name);
  EXPECT_FALSE(first.AnotherCopyRuns());
  const InstanceMutex second(name);
  EXPECT_TRUE(second.AnotherCopyRuns());
}

TEST(InstanceMutexTest, AfterTheFirstCopyHasEndedTheNextStartSucceeds) {
  const std::string name = UniqueName();
  { const InstanceMutex first(name); }
  const InstanceMutex next(name);
  EXPECT_FALSE(next.AnotherCopyRuns());
}

TEST(InstanceMutexTest, TheMutexIsNotOwnedSoAnyoneMayWaitForIt) {
  const std::string name = UniqueName();
  const InstanceMutex guard(name);
  const HANDLE opened =
      OpenMutexW(SYNCHRONIZE, FALSE, std::wstring(name.begin(), name.end()).c_str());
  ASSERT_NE(opened, nullptr);
  EXPECT_EQ(WaitForSingleObject(opened, 0), WAIT_OBJECT_0);
  ReleaseMutex(opened);
  CloseHandle(opened);
}

TEST(InstanceMutexTest, ANameOfAnotherKindOfObjectStartsAsTheFirstCopy) {
  const std::string name = UniqueName();
  const HANDLE event =
      CreateEventW(nullptr, FALSE, FALSE, std::wstring(name.begin(), name.end()).c_str());
  ASSERT_NE(event, nullptr);
  const InstanceMutex guard(name);  // fails with ERROR_INVALID_HANDLE, not "already exists"
  EXPECT_FALSE(guard.AnotherCopyRuns());
  CloseHandle(event);
}

}  // namespace
}  // namespace halvane
