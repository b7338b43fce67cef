#include <gtest/gtest.h>

#include "platform/windows/process_path.h"
#include "platform/windows/process_snapshot.h"
#include "platform/windows/windows_identity.h"
#include "windows_test_support.h"

namespace halvane {
namespace {

using testing_windows::OwnProgramPath;

constexpr std::uint32_t kIdlePid = 0;
constexpr std::uint32_t kUnlistedPid = 0xFFFFFFF0u;  // never a process ID (not a multiple of 4)

TEST(ProcessSnapshotTest, NamesThisProcessAndAnyOrderOfLookupsWorks) {
  ToolHelpFunctions toolHelp;
  const auto snapshot = ToolHelpProcessSnapshot::Take(toolHelp);
  ASSERT_NE(snapshot, nullptr);
  const std::uint32_t self = GetCurrentProcessId();
  EXPECT_EQ(snapshot->GetProcessNameByPid(self), "platform_windows_tests.exe");
  EXPECT_EQ(snapshot->GetProcessNameByPid(kUnlistedPid), "");
  // The walk starts again from the first entry: the snapshot still answers.
  EXPECT_EQ(snapshot->GetProcessNameByPid(self), "platform_windows_tests.exe");
}

TEST(ProcessSnapshotTest, WithoutTheKernelModuleThereIsNoSnapshot) {
  ToolHelpFunctions toolHelp(L"no-such-kernel.dll");
  EXPECT_FALSE(toolHelp.Available());
  EXPECT_EQ(toolHelp.CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0), nullptr);
  PROCESSENTRY32W entry{};
  entry.dwSize = sizeof(entry);
  EXPECT_FALSE(toolHelp.Process32First(nullptr, &entry));
  EXPECT_EQ(ToolHelpProcessSnapshot::Take(toolHelp), nullptr);

  WindowsProcessIdentity identity(L"no-such-kernel.dll", L"PSAPI.dll");
  EXPECT_EQ(identity.CreateProcessSnapshot(), nullptr);
}

TEST(ProcessPathTest, ThisProcessIsItsProgramFile) {
  PsapiFunctions psapi;
  EXPECT_EQ(ProcessPathByPid(psapi, GetCurrentProcessId()), OwnProgramPath());
  EXPECT_TRUE(psapi.Loaded());
}

TEST(ProcessPathTest, ProcessesThatCannotBeOpenedHaveNoPath) {
  PsapiFunctions psapi;
  EXPECT_EQ(ProcessPathByPid(psapi, kIdlePid), "");
  EXPECT_EQ(ProcessPathByPid(psapi, kUnlistedPid), "");
}

TEST(ProcessPathTest, WithoutPsapiEveryPathIsEmptyAndTheLoadIsTriedAgain) {
  PsapiFunctions psapi(L"no-such-psapi.dll");
  EXPECT_EQ(ProcessPathByPid(psapi, GetCurrentProcessId()), "");
  EXPECT_FALSE(psapi.Loaded());
  HMODULE module = nullptr;
  DWORD needed = 0;
  EXPECT_FALSE(psapi.EnumProcessModules(GetCurrentProcess(), &module, sizeof(module), &needed));
  wchar_t name[16] = {};
  EXPECT_EQ(psapi.GetModuleFileNameExW(GetCurrentProcess(), nullptr, name, 16), 0u);
}

TEST(ProcessIdentityTest, OneProcessGivesTheSameIdentityEveryTime) {
  WindowsProcessIdentity identity;
  const std::string first = identity.GetProcessPathByPid(GetCurrentProcessId());
  EXPECT_EQ(identity.GetProcessPathByPid(GetCurrentProcessId()), first);
  std::string company;
  EXPECT_EQ(identity.GetFileVersionStrings(first, company), "Halvane Windows back-end tests");
  EXPECT_EQ(company, "Halvane 测试组");
}

}  // namespace
}  // namespace halvane
