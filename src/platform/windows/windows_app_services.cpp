#include "platform/windows/windows_app_services.h"

#include <shellapi.h>
#include <shlobj.h>

#include "platform/windows/wide_text.h"
#include "platform/windows/windows_platform.h"

namespace halvane {
namespace {

constexpr const char* kHtmlSuffix = ".html";
constexpr const char* kCompiledHelpSuffix = ".chm";
// The system directory buffer: 256 characters, of which the call may fill 255.
constexpr UINT kSystemDirectoryBuffer = 256;

bool EndsWith(const std::string& text, const std::string& suffix) {
  return text.size() >= suffix.size() &&
         text.compare(text.size() - suffix.size(), suffix.size(), suffix) == 0;
}

bool IsFile(const std::string& path) {
  const DWORD attributes = GetFileAttributesW(Utf8ToWide(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace

std::string PreferredHelpDocument(const std::string& path) {
  if (!EndsWith(path, kHtmlSuffix))
    return path;
  const std::string compiled =
      path.substr(0, path.size() - std::string(kHtmlSuffix).size()) + kCompiledHelpSuffix;
  return IsFile(compiled) ? compiled : path;
}

WindowsAppServices::WindowsAppServices()
    : WindowsAppServices(MakeWindowsConnectionTables(), MakeWindowsProcessIdentity()) {}

WindowsAppServices::WindowsAppServices(std::unique_ptr<IConnectionTables> tables,
                                       std::unique_ptr<IProcessIdentity> identity)
    : tables_(std::move(tables)), identity_(std::move(identity)) {}

std::string WindowsAppServices::ProgramFilePath() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0)
      return {};
    if (length < path.size())
      return WideToUtf8(std::wstring_view(path.data(), length));
    path.resize(path.size() * 2);  // cut: try again with more room
  }
}

std::string WindowsAppServices::SystemDirectory() {
  wchar_t buffer[kSystemDirectoryBuffer] = {};
  GetSystemDirectoryW(buffer, kSystemDirectoryBuffer - 1);
  return WideBufferToUtf8(buffer, kSystemDirectoryBuffer);
}

std::string WindowsAppServices::UserConfigDirectory() {
  wchar_t* folder = nullptr;
  std::string result;
  if (SUCCEEDED(SHGetKnownFolderPath(FOLDERID_RoamingAppData, 0, nullptr, &folder)))
    result = WideToUtf8(folder);
  CoTaskMemFree(folder);
  return result;
}

void WindowsAppServices::OpenDocument(const std::string& path) {
  ShellExecuteW(owner_, L"open", Utf8ToWide(PreferredHelpDocument(path)).c_str(), nullptr,
                nullptr, SW_SHOWNORMAL);
}

void WindowsAppServices::OpenUrl(const std::string& url) {
  ShellExecuteW(owner_, nullptr, Utf8ToWide(url).c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

}  // namespace halvane
