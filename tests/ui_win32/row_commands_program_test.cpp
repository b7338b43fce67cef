// The row commands in Halvane.exe on the desktop: the report of a row on the clipboard, the
// end-process button on a row without a program file, and a refresh that reads the tables on
// a worker thread and merges through the window's queue.
#include <gtest/gtest.h>

#include "halvane_program.h"
#include "platform/windows/wide_text.h"
#include "ui/win32/main_window.h"
#include "ui/win32/pm_tree_menu.h"

namespace halvane {
namespace {

using namespace testing_win32;

constexpr int kReportLines = 14;
constexpr const wchar_t* kMsgSystemProcess = L"系统进程，不能结束。";
const std::wstring kSeparator(23, L'\u2015');

std::wstring ClipboardUnicodeText() {
  std::wstring copy;
  if (!OpenClipboard(nullptr))
    return copy;
  if (const HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
    if (const auto* text = static_cast<const wchar_t*>(GlobalLock(data))) {
      copy = text;
      GlobalUnlock(data);
    }
  }
  CloseClipboard();
  return copy;
}

bool ClipboardHasEightBitText() {
  if (!OpenClipboard(nullptr))
    return false;
  const bool has = GetClipboardData(CF_TEXT) != nullptr;
  CloseClipboard();
  return has;
}

void EmptyTheClipboard() {
  ASSERT_TRUE(WaitUntil([] { return OpenClipboard(nullptr) != FALSE; }));
  EmptyClipboard();
  CloseClipboard();
}

std::vector<std::wstring> Lines(const std::wstring& text) {
  std::vector<std::wstring> lines;
  std::size_t start = 0;
  for (std::size_t end = text.find(L"\r\n"); end != std::wstring::npos;
       end = text.find(L"\r\n", start)) {
    lines.push_back(text.substr(start, end - start));
    start = end + 2;
  }
  if (start < text.size())
    lines.push_back(text.substr(start));  // a last line without its line end
  return lines;
}

// A message box of the program showing `text`, or null.
HWND MessageBoxShowing(DWORD processId, const std::wstring& text) {
  const HWND box = FindProcessWindow(processId, kBoxClass, kBoxCaption);
  if (box == nullptr)
    return nullptr;
  for (HWND child = GetWindow(box, GW_CHILD); child != nullptr;
       child = GetWindow(child, GW_HWNDNEXT)) {
    if (WindowText(child) == text)
      return box;
  }
  return nullptr;
}

void Command(HWND window, int id) {
  PostMessageW(window, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0);
}

class RowCommandsProgramTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (GetSystemMetrics(SM_CXSCREEN) == 0)
      GTEST_SKIP() << "no desktop to show windows on";
    ASSERT_NE(listener_.Port(), 0);
    ASSERT_TRUE(halvane_.Started()) << "CreateProcess failed with error " << halvane_.Error();
    window_ = WaitForMainWindow(halvane_.Id());
    ASSERT_NE(window_, nullptr) << "no main window appeared";
    list_ = FindWindowExW(window_, nullptr, WC_LISTVIEWW, nullptr);
    ASSERT_NE(list_, nullptr);
  }
  void TearDown() override {
    if (window_ != nullptr) {
      EXPECT_TRUE(CloseAnsweringYes(halvane_, window_));
      EXPECT_EQ(halvane_.WaitForExit(), 0u);
    }
  }

  // Selects and focuses the listener's row, as a click on it would.
  int FocusListenerRow() {
    const int row = RowOfLocalPort(halvane_.Handle(), list_, listener_.Port());
    if (row >= 0)
      SetListViewItemState(halvane_.Handle(), list_, row, LVIS_SELECTED | LVIS_FOCUSED,
                           LVIS_SELECTED | LVIS_FOCUSED);
    return row;
  }

  const LoopbackListener listener_;
  const InstalledCopy copy_;
  const StartedProgram halvane_{copy_.Program()};
  HWND window_ = nullptr;
  HWND list_ = nullptr;
};

TEST_F(RowCommandsProgramTest, CopyPutsTheFocusedRowsReportOnTheClipboard) {
  const int row = FocusListenerRow();
  ASSERT_GE(row, 0) << "no row with local port " << listener_.Port();
  EmptyTheClipboard();
  Command(window_, PmTreeMenu::NCopy);
  std::wstring report;
  ASSERT_TRUE(WaitUntil([&] {
    report = ClipboardUnicodeText();
    return !report.empty();
  })) << "nothing came to the clipboard";

  EXPECT_EQ(report.substr(report.size() - 2), L"\r\n");
  const std::vector<std::wstring> lines = Lines(report);
  ASSERT_EQ(lines.size(), static_cast<std::size_t>(kReportLines)) << WideToUtf8(report);
  EXPECT_EQ(lines[0], kSeparator);
  EXPECT_EQ(lines[1], L"程序名称:" + ListViewCellText(halvane_.Handle(), list_, row, 0));
  EXPECT_EQ(lines[5], L"网络协议:TCP");
  EXPECT_EQ(lines[6], L"本机地址:127.0.0.1");
  EXPECT_EQ(lines[7], L"本地端口:" + std::to_wstring(listener_.Port()));
  EXPECT_EQ(lines[8], L"目标地址:0.0.0.0");
  EXPECT_EQ(lines[11], L"生成:Halvane");
  EXPECT_EQ(lines[12].substr(0, 3), L"主页:");
  EXPECT_EQ(lines[13], kSeparator);
  EXPECT_TRUE(ClipboardHasEightBitText());
}

// Under Wine the tables name no owner (PID 0), so the listener's row has no program file: the
// end-process button says it is a system process. On Windows the row is this test's own process
// and the button would end it: that part is left out there.
TEST_F(RowCommandsProgramTest, EndProcessOnARowWithoutProgramFileSaysItIsASystemProcess) {
  ASSERT_GE(FocusListenerRow(), 0);
  EmptyTheClipboard();
  Command(window_, PmTreeMenu::NCopy);
  std::vector<std::wstring> lines;
  ASSERT_TRUE(WaitUntil([&] {
    lines = Lines(ClipboardUnicodeText());
    return lines.size() == kReportLines;
  }));
  if (lines[3] != L"路径:")
    GTEST_SKIP() << "the row has a program file (" << WideToUtf8(lines[3])
                 << "): ending it would end this test";

  Command(window_, FormNetrovaWindow::kBTNEndPro);
  HWND box = nullptr;
  ASSERT_TRUE(WaitUntil([&] {
    box = MessageBoxShowing(halvane_.Id(), kMsgSystemProcess);
    return box != nullptr;
  })) << "no message came";
  PostMessageW(box, WM_COMMAND, IDOK, 0);
  ASSERT_TRUE(WaitUntil(
      [&] { return FindProcessWindow(halvane_.Id(), kBoxClass, kBoxCaption) == nullptr; }));
  // The row is still listed: nothing was ended.
  EXPECT_GE(RowOfLocalPort(halvane_.Handle(), list_, listener_.Port()), 0);
}

TEST_F(RowCommandsProgramTest, ARefreshListsASocketOpenedAfterTheStart) {
  const LoopbackListener later;
  ASSERT_NE(later.Port(), 0);
  EXPECT_LT(RowOfLocalPort(halvane_.Handle(), list_, later.Port()), 0)
      << "listed before any refresh";
  Command(window_, FormNetrovaWindow::kBTNRefresh);
  EXPECT_TRUE(WaitUntil([&] {
    return RowOfLocalPort(halvane_.Handle(), list_, later.Port()) >= 0;
  })) << "the refresh did not list port "
      << later.Port();
  const HWND refresh = FindWindowExW(FindWindowExW(window_, nullptr, nullptr, L"PBottom"), nullptr,
                                     L"Button", L"刷新");
  ASSERT_NE(refresh, nullptr);
  EXPECT_TRUE(WaitUntil([&] { return IsWindowEnabled(refresh) != FALSE; }))
      << "the refresh button stayed disabled";
  EXPECT_GE(RowOfLocalPort(halvane_.Handle(), list_, listener_.Port()), 0);
}

}  // namespace
}  // namespace halvane
