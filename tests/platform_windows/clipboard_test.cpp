// The row report on the real clipboard: Unicode text, and 8-bit text in the ANSI code page.
#include "platform/windows/clipboard_text.h"

#include <gtest/gtest.h>

#include "app/app_urls.h"
#include "app/row_report.h"
#include "platform/windows/windows_app_services.h"
#include "windows_test_support.h"

namespace halvane {
namespace {

constexpr int kOpenAttempts = 50;

// The clipboard, open for reading while the object lives. Another program (the desktop's
// clipboard keeper) may hold it for a moment: the opening is tried again.
class ClipboardReader {
 public:
  ClipboardReader() {
    for (int attempt = 0; attempt < kOpenAttempts && !open_; ++attempt) {
      open_ = OpenClipboard(nullptr) != FALSE;
      if (!open_)
        Sleep(20);
    }
  }
  ~ClipboardReader() {
    if (open_)
      CloseClipboard();
  }
  ClipboardReader(const ClipboardReader&) = delete;
  ClipboardReader& operator=(const ClipboardReader&) = delete;
  bool IsOpen() const { return open_; }

  std::wstring UnicodeText() const {
    const HANDLE data = GetClipboardData(CF_UNICODETEXT);
    const auto* text = data ? static_cast<const wchar_t*>(GlobalLock(data)) : nullptr;
    const std::wstring copy = text ? text : L"";
    if (text)
      GlobalUnlock(data);
    return copy;
  }
  std::string EightBitText() const {
    const HANDLE data = GetClipboardData(CF_TEXT);
    const auto* text = data ? static_cast<const char*>(GlobalLock(data)) : nullptr;
    const std::string copy = text ? text : "";
    if (text)
      GlobalUnlock(data);
    return copy;
  }

 private:
  bool open_ = false;
};

std::string InAnsiCodePage(const std::wstring& text) {
  const int needed = WideCharToMultiByte(CP_ACP, 0, text.c_str(), static_cast<int>(text.size()),
                                         nullptr, 0, nullptr, nullptr);
  std::string ansi(static_cast<std::size_t>(needed), '\0');
  WideCharToMultiByte(CP_ACP, 0, text.c_str(), static_cast<int>(text.size()), ansi.data(), needed,
                      nullptr, nullptr);
  return ansi;
}

// A window of this test puts a format of its own on the clipboard, to see it replaced.
void PutPrivateFormat(UINT format) {
  const HWND owner = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                     GetModuleHandleW(nullptr), nullptr);
  ASSERT_TRUE(OpenClipboard(owner));
  EmptyClipboard();
  const HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, 4);
  SetClipboardData(format, memory);
  CloseClipboard();
  DestroyWindow(owner);
}

TMyRec TcpRow() {
  TMyRec rec;
  rec.Protocol = "TCP";
  rec.State = "ESTABLISHED";
  rec.LocalIP = "127.0.0.1";
  rec.LocalPort = "49152";
  rec.RemoteIP = "127.0.0.1";
  rec.RemotePort = "8080";
  rec.PID = "4242";
  rec.ProcessName = "网络.exe";
  rec.ProcessPath = "D:\\程序\\网络.exe";
  rec.Description = "网络 程序";
  rec.Company = "Halvane Example";
  return rec;
}

const std::wstring kSeparator(23, L'\u2015');

TEST(ClipboardTextTest, TheRowReportLandsAsUnicodeTextWithAnsiTextBesideIt) {
  const UINT privateFormat = RegisterClipboardFormatW(L"Halvane test format");
  PutPrivateFormat(privateFormat);

  WindowsAppServices services;
  services.CopyTextToClipboard(RowReport(TcpRow(), DefaultHomeUrl()));

  const std::wstring expected = kSeparator + L"\r\n" +
                                L"程序名称:网络.exe\r\n"
                                L"程序说明:网络 程序\r\n"
                                L"路径:D:\\程序\\网络.exe\r\n"
                                L"PID:4242\r\n"
                                L"网络协议:TCP\r\n"
                                L"本机地址:127.0.0.1\r\n"
                                L"本地端口:49152\r\n"
                                L"目标地址:127.0.0.1\r\n"
                                L"目标端口:8080\r\n"
                                L"状态:ESTABLISHED\r\n"
                                L"生成:Halvane\r\n"
                                L"主页:" +
                                Utf8ToWide(DefaultHomeUrl()) + L"\r\n" + kSeparator + L"\r\n";
  const ClipboardReader clipboard;
  ASSERT_TRUE(clipboard.IsOpen());
  EXPECT_FALSE(IsClipboardFormatAvailable(privateFormat)) << "the old content stayed";
  const std::wstring unicode = clipboard.UnicodeText();
  EXPECT_EQ(unicode, expected);
  std::size_t lineEnds = 0;
  for (std::size_t at = unicode.find(L"\r\n"); at != std::wstring::npos;
       at = unicode.find(L"\r\n", at + 2))
    ++lineEnds;
  EXPECT_EQ(lineEnds, 14u);

  const std::string eightBit = clipboard.EightBitText();
  EXPECT_EQ(eightBit, InAnsiCodePage(expected)) << "ANSI code page " << GetACP();
  if (GetACP() == 936) {
    // In the Chinese code page the separator is the byte pair A8 44, 23 times.
    std::string separator;
    for (int i = 0; i < 23; ++i)
      separator += "\xA8\x44";
    EXPECT_EQ(eightBit.substr(0, separator.size()), separator);
  }
}

TEST(ClipboardTextTest, AnEmptyTextLeavesBothFormatsEmpty) {
  ASSERT_TRUE(PutTextOnClipboard(""));
  const ClipboardReader clipboard;
  ASSERT_TRUE(clipboard.IsOpen());
  EXPECT_TRUE(IsClipboardFormatAvailable(CF_UNICODETEXT));
  EXPECT_TRUE(IsClipboardFormatAvailable(CF_TEXT));
  EXPECT_EQ(clipboard.UnicodeText(), L"");
  EXPECT_EQ(clipboard.EightBitText(), "");
}

}  // namespace
}  // namespace halvane
