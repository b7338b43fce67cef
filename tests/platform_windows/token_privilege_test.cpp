#include "platform/windows/token_privilege.h"

#include <gtest/gtest.h>

#include <cstring>
#include <optional>
#include <vector>

namespace halvane {
namespace {

// A token of this process, closed with the object.
class OwnToken {
 public:
  explicit OwnToken(DWORD access) {
    if (!OpenProcessToken(GetCurrentProcess(), access, &token_))
      token_ = nullptr;
  }
  ~OwnToken() {
    if (token_ != nullptr)
      CloseHandle(token_);
  }
  OwnToken(const OwnToken&) = delete;
  OwnToken& operator=(const OwnToken&) = delete;
  HANDLE get() const { return token_; }

 private:
  HANDLE token_ = nullptr;
};

// The attributes the token holds for the privilege; nothing when it does not hold it.
std::optional<DWORD> PrivilegeAttributes(const char* name) {
  const OwnToken token(TOKEN_QUERY);
  LUID luid{};
  std::wstring wide(name, name + std::strlen(name));
  if (!LookupPrivilegeValueW(nullptr, wide.c_str(), &luid))
    return std::nullopt;
  DWORD size = 0;
  GetTokenInformation(token.get(), TokenPrivileges, nullptr, 0, &size);
  std::vector<std::byte> buffer(size);
  if (!GetTokenInformation(token.get(), TokenPrivileges, buffer.data(), size, &size))
    return std::nullopt;
  const auto* privileges = reinterpret_cast<const TOKEN_PRIVILEGES*>(buffer.data());
  for (DWORD i = 0; i < privileges->PrivilegeCount; ++i) {
    const LUID& held = privileges->Privileges[i].Luid;
    if (held.LowPart == luid.LowPart && held.HighPart == luid.HighPart)
      return privileges->Privileges[i].Attributes;
  }
  return std::nullopt;
}

TEST(TokenPrivilegeTest, DisablingWritesAttributesZeroAndEnablingWritesTwo) {
  if (!PrivilegeAttributes("SeDebugPrivilege"))
    GTEST_SKIP() << "this account does not hold SeDebugPrivilege";
  const OwnToken token(TOKEN_ADJUST_PRIVILEGES);
  ASSERT_TRUE(SetTokenPrivilege(token.get(), "SeDebugPrivilege", false));
  EXPECT_EQ(*PrivilegeAttributes("SeDebugPrivilege") & SE_PRIVILEGE_ENABLED, 0u);
  ASSERT_TRUE(SetTokenPrivilege(token.get(), "SeDebugPrivilege", true));
  EXPECT_NE(*PrivilegeAttributes("SeDebugPrivilege") & SE_PRIVILEGE_ENABLED, 0u);
  EXPECT_TRUE(EnableDebugPrivilege());
}

// A copy of this process's token from which SeDebugPrivilege has been deleted: the account of
// such a token does not hold the privilege.
class TokenWithoutDebugPrivilege {
 public:
  TokenWithoutDebugPrivilege() {
    const OwnToken own(TOKEN_ALL_ACCESS);
    LUID_AND_ATTRIBUTES debug{};
    if (!LookupPrivilegeValueW(nullptr, L"SeDebugPrivilege", &debug.Luid))
      return;
    if (!CreateRestrictedToken(own.get(), 0, 0, nullptr, 1, &debug, 0, nullptr, &token_))
      token_ = nullptr;
  }
  ~TokenWithoutDebugPrivilege() {
    if (token_ != nullptr)
      CloseHandle(token_);
  }
  TokenWithoutDebugPrivilege(const TokenWithoutDebugPrivilege&) = delete;
  TokenWithoutDebugPrivilege& operator=(const TokenWithoutDebugPrivilege&) = delete;
  HANDLE get() const { return token_; }

 private:
  HANDLE token_ = nullptr;
};

TEST(TokenPrivilegeTest, APrivilegeTheTokenDoesNotHoldIsFalseThoughTheCallSucceeds) {
  const TokenWithoutDebugPrivilege token;
  ASSERT_NE(token.get(), nullptr);

  // What the system itself says: success, with ERROR_NOT_ALL_ASSIGNED left behind.
  TOKEN_PRIVILEGES change{};
  change.PrivilegeCount = 1;
  ASSERT_TRUE(LookupPrivilegeValueW(nullptr, L"SeDebugPrivilege", &change.Privileges[0].Luid));
  change.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
  DWORD length = 0;
  EXPECT_TRUE(AdjustTokenPrivileges(token.get(), FALSE, &change, sizeof(change), nullptr, &length));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NOT_ALL_ASSIGNED));

  EXPECT_FALSE(SetTokenPrivilege(token.get(), "SeDebugPrivilege", true));
}

TEST(TokenPrivilegeTest, AnUnknownNameOrATokenWithoutAdjustRightsIsFalse) {
  const OwnToken adjustable(TOKEN_ADJUST_PRIVILEGES);
  EXPECT_FALSE(SetTokenPrivilege(adjustable.get(), "SeNoSuchPrivilege", true));
  const OwnToken queryOnly(TOKEN_QUERY);
  EXPECT_FALSE(SetTokenPrivilege(queryOnly.get(), "SeChangeNotifyPrivilege", true));
}

TEST(TokenPrivilegeTest, AStaleErrorBeforeTheCallDoesNotDecide) {
  const OwnToken token(TOKEN_ADJUST_PRIVILEGES);
  SetLastError(ERROR_ACCESS_DENIED);
  // Every token holds SeChangeNotifyPrivilege.
  EXPECT_TRUE(SetTokenPrivilege(token.get(), "SeChangeNotifyPrivilege", true));
}

}  // namespace
}  // namespace halvane
