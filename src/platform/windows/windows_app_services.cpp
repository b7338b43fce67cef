#include "platform/windows/windows_app_services.h"

#include <shellapi.h>
#include <shlobj.h>

#include "platform/windows/clipboard_text.h"
#include "platform/windows/process_terminate.h"
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

}  // namespace

bool IsExistingFile(const std::string& path) {
  if (path.empty())
    return false;
  const DWORD attributes = GetFileAttributesW(Utf8ToWide(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::wstring ExplorerSelectParameters(const std::string& path) {
  return L"/select,\"" + Utf8ToWide(path) + L"\"";
}

std::string PreferredHelpDocument(const std::string& path) {
  if (!EndsWith(path, kHtmlSuffix))
    return path;
  const std::string compiled =
      path.substr(0, path.size() - std::string(kHtmlSuffix).size()) + kCompiledHelpSuffix;
  return IsExistingFile(compiled) ? compiled : path;
}

WindowsAppServices::WindowsAppServices()
    : WindowsAppServices(MakeWindowsConnectionTables(), MakeWindowsProcessIdentity()) {}

WindowsAppServices::WindowsAppServices(std::unique_ptr<IConnectionTables> tables,
                                       std::unique_ptr<IProcessIdentity> identity,
                                       std::unique_ptr<IShellLauncher> shell)
    : tables_(std::move(tables)), identity_(std::move(identity)), shell_(std::move(shell)) {}

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
  shell_->Execute(owner_, L"open", Utf8ToWide(PreferredHelpDocument(path)).c_str(), nullptr,
                  nullptr, SW_SHOWNORMAL);
}

void WindowsAppServices::OpenUrl(const std::string& url) {
  shell_->Execute(owner_, nullptr, Utf8ToWide(url).c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

void WindowsAppServices::CopyTextToClipboard(const std::string& utf8) {
  PutTextOnClipboard(utf8);
}

void WindowsAppServices::ShowInFileManager(const std::string& path) {
  const std::wstring parameters = ExplorerSelectParameters(path);
  shell_->Execute(nullptr, L"open", L"explorer.exe", parameters.c_str(), nullptr, SW_SHOWNORMAL);
}

// The record as the properties sheet needs it: every field zero but the size, the mask, the
// verb and the file.
void WindowsAppServices::ShowFileProperties(const std::string& path) {
  const std::wstring file = Utf8ToWide(path);
  SHELLEXECUTEINFOW info{};
  info.cbSize = sizeof(info);
  info.fMask = SEE_MASK_INVOKEIDLIST;
  info.lpVerb = L"properties";
  info.lpFile = file.c_str();
  shell_->ExecuteEx(info);
}

TerminateResult WindowsAppServices::TerminateProcess(std::uint32_t pid,
                                                     const std::string& expectedExePath) {
  return EndProcessRunning(pid, expectedExePath);
}

bool WindowsAppServices::IsRegularFile(const std::string& path) {
  return IsExistingFile(path);
}

}  // namespace halvane
