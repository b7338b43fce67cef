#include "platform/windows/version_strings.h"

#include <windows.h>

#include <cstdio>
#include <vector>

#include "platform/windows/wide_text.h"

namespace halvane {
namespace {

constexpr std::size_t kTranslationSize = 4;

// A string value of the version block, read up to its NUL, or nothing.
bool QueryString(std::vector<std::byte>& block, const std::wstring& name, std::string& value) {
  void* found = nullptr;
  UINT length = 0;
  if (!VerQueryValueW(block.data(), name.c_str(), &found, &length) || found == nullptr)
    return false;
  // The reported length is not used: the text ends at its NUL, within the block.
  const auto* text = static_cast<const wchar_t*>(found);
  const auto* blockEnd = reinterpret_cast<const wchar_t*>(block.data() + block.size());
  value = WideBufferToUtf8(text, static_cast<std::size_t>(blockEnd - text));
  return true;
}

std::string FirstTranslationKey(std::vector<std::byte>& block) {
  void* found = nullptr;
  UINT length = 0;
  if (!VerQueryValueW(block.data(), L"\\VarFileInfo\\Translation", &found, &length) ||
      found == nullptr)
    return {};
  return TranslationKey(std::span(static_cast<const std::byte*>(found), length));
}

}  // namespace

std::string TranslationKey(std::span<const std::byte> translation) {
  if (translation.size() < kTranslationSize)
    return {};
  const auto byte = [&](std::size_t i) { return static_cast<unsigned>(translation[i]); };
  char key[9] = {};
  std::snprintf(key, sizeof(key), "%.2X%.2X%.2X%.2X", byte(1), byte(0), byte(3), byte(2));
  return key;
}

std::string FileVersionStrings(const std::string& path, std::string& company) {
  company.clear();
  if (path.empty())
    return {};
  const std::wstring widePath = Utf8ToWide(path);
  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeW(widePath.c_str(), &ignored);
  if (size == 0)
    return {};  // no version resource
  std::vector<std::byte> block(size, std::byte{0});
  if (!GetFileVersionInfoW(widePath.c_str(), 0, size, block.data()))
    return {};
  const std::string key = FirstTranslationKey(block);
  if (key.empty())
    return {};
  const std::wstring strings = L"\\StringFileInfo\\" + Utf8ToWide(key) + L"\\";
  std::string description;
  if (!QueryString(block, strings + L"FileDescription", description))
    return {};
  std::string companyName;
  if (QueryString(block, strings + L"CompanyName", companyName))
    company = companyName;
  return description;
}

}  // namespace halvane
