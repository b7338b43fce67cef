#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "platform/linux/single_instance.h"
#include "ui/qt/display_check.h"

namespace halvane {
namespace {

TEST(DisplayAvailable, FollowsThePluginAndTheDisplays) {
  struct Case {
    const char* platform;
    const char* x11;
    const char* wayland;
    bool expected;
  };
  const Case cases[] = {
      {"", "", "", false},
      {"", ":0", "", true},
      {"", "", "wayland-0", true},
      {"offscreen", "", "", true},
      {"vnc:size=800x600", "", "", true},
      {"xcb", "", "wayland-0", false},
      {"xcb", ":99", "", true},
      {"wayland", ":0", "", false},
      {"wayland-egl", "", "wayland-0", true},
      {"wayland;xcb", ":0", "", true},
      {"wayland;xcb", "", "", false},
  };
  for (const Case& c : cases)
    EXPECT_EQ(DisplayAvailable(c.platform, c.x11, c.wayland), c.expected)
        << c.platform << " | " << c.x11 << " | " << c.wayland;
}

TEST(SingleInstanceLock, ASecondCopyFindsTheLockUntilTheFirstEnds) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const std::string path = dir.path().toStdString();
  {
    SingleInstanceLock first(path, "Halvane");
    EXPECT_EQ(first.state(), SingleInstanceLock::State::Acquired);
    SingleInstanceLock second(path, "Halvane");
    EXPECT_EQ(second.state(), SingleInstanceLock::State::HeldByAnother);
    SingleInstanceLock otherName(path, "Other");
    EXPECT_EQ(otherName.state(), SingleInstanceLock::State::Acquired);
  }
  SingleInstanceLock afterwards(path, "Halvane");
  EXPECT_EQ(afterwards.state(), SingleInstanceLock::State::Acquired);
}

TEST(SingleInstanceLock, AnUnusableDirectoryLetsTheProgramStart) {
  EXPECT_EQ(SingleInstanceLock("", "Halvane").state(), SingleInstanceLock::State::Unavailable);
  EXPECT_EQ(SingleInstanceLock("/nonexistent/dir", "Halvane").state(),
            SingleInstanceLock::State::Unavailable);
}

TEST(InstanceLockDirectory, PrefersTheRuntimeDirectory) {
  EXPECT_EQ(InstanceLockDirectory("/run/user/1000"), "/run/user/1000");
  const std::string fallback = InstanceLockDirectory("");
  EXPECT_EQ(fallback.rfind("/tmp/halvane-", 0), 0u) << fallback;
  EXPECT_EQ(InstanceLockDirectory("relative/dir"), fallback);
}

}  // namespace
}  // namespace halvane
