// Halvane.exe on the desktop: it starts, shows its window with the filled list, keeps a second
// copy from starting, and asks before it closes. A picture of the window is written.
#include <gtest/gtest.h>

#include <cstdlib>

#include "halvane_program.h"

namespace halvane {
namespace {

namespace fs = std::filesystem;
using namespace testing_win32;

fs::path ScreenshotFile() {
  const char* folder = std::getenv("HALVANE_SCREENSHOT_DIR");
  const fs::path directory = folder && *folder ? fs::path(folder) : OwnDirectory();
  return directory / L"halvane-window.bmp";
}

HWND ChildOfClass(HWND parent, const wchar_t* className) {
  return FindWindowExW(parent, nullptr, className, nullptr);
}

class WindowSmokeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (GetSystemMetrics(SM_CXSCREEN) == 0)
      GTEST_SKIP() << "no desktop to show windows on";
  }
};

TEST_F(WindowSmokeTest, StartsFilledGuardsItsSingleCopyAndAsksBeforeClosing) {
  const LoopbackListener listener;
  ASSERT_NE(listener.Port(), 0);
  const InstalledCopy copy;
  const StartedProgram halvane(copy.Program());
  ASSERT_TRUE(halvane.Started()) << "CreateProcess failed with error " << halvane.Error();

  HWND window = WaitForMainWindow(halvane.Id());
  ASSERT_NE(window, nullptr) << "no main window appeared";
  EXPECT_EQ(WindowText(window), kMainCaption);
  EXPECT_TRUE(GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_TOPMOST);
  RECT client{};
  GetClientRect(window, &client);
  const int dpi = GetDeviceCaps(GetDC(nullptr), LOGPIXELSX);
  EXPECT_EQ(client.right, MulDiv(746, dpi, 96));
  EXPECT_EQ(client.bottom, MulDiv(433, dpi, 96));

  // The list has rows, among them the listener of this test, by its local port.
  const HWND list = ChildOfClass(window, WC_LISTVIEWW);
  ASSERT_NE(list, nullptr);
  const int rows = static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
  EXPECT_GT(rows, 0);
  bool listenerShown = false;
  for (int row = 0; row < rows && !listenerShown; ++row) {
    listenerShown = ListViewCellText(halvane.Handle(), list, row, kLocalPortPosition) ==
                    std::to_wstring(listener.Port());
  }
  EXPECT_TRUE(listenerShown) << "no row with local port " << listener.Port();
  std::printf("%d rows listed\n", rows);

  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  RECT place{};
  GetWindowRect(window, &place);
  EXPECT_TRUE(SaveScreenArea(place, ScreenshotFile()));
  std::printf("picture of the window: %ls\n", ScreenshotFile().c_str());

  // A second copy says so and ends without a window of its own.
  {
    const StartedProgram second(copy.Program());
    ASSERT_TRUE(second.Started());
    HWND box = nullptr;
    ASSERT_TRUE(WaitUntil([&] {
      box = FindProcessWindow(second.Id(), kBoxClass, kBoxCaption);
      return box != nullptr;
    })) << "the second copy showed no message";
    EXPECT_EQ(FindProcessWindow(second.Id(), kMainClass, nullptr), nullptr);
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(second.WaitForExit(), 0u);
  }

  // Closing asks first: No keeps the window, Yes ends the program.
  for (const int answer : {IDNO, IDYES}) {
    PostMessageW(window, WM_CLOSE, 0, 0);
    HWND question = nullptr;
    ASSERT_TRUE(WaitUntil([&] {
      question = FindProcessWindow(halvane.Id(), kBoxClass, kBoxCaption);
      return question != nullptr;
    })) << "no question before closing";
    PostMessageW(question, WM_COMMAND, answer, 0);
    if (answer == IDNO) {
      ASSERT_TRUE(WaitUntil(
          [&] { return FindProcessWindow(halvane.Id(), kBoxClass, kBoxCaption) == nullptr; }));
      EXPECT_TRUE(IsWindow(window));
    }
  }
  EXPECT_EQ(halvane.WaitForExit(), 0u);
}

std::string FileBytes(const fs::path& file) {
  std::string bytes;
  if (FILE* in = _wfopen(file.c_str(), L"rb")) {
    char buffer[4096];
    for (std::size_t n; (n = fread(buffer, 1, sizeof(buffer), in)) > 0;)
      bytes.append(buffer, n);
    fclose(in);
  }
  return bytes;
}

void WriteBytes(const fs::path& file, const std::string& bytes) {
  if (FILE* out = _wfopen(file.c_str(), L"wb")) {
    fwrite(bytes.data(), 1, bytes.size(), out);
    fclose(out);
  }
}

TEST_F(WindowSmokeTest, TheSettingsBesideTheProgramShapeTheWindowAtStart) {
  const InstalledCopy copy;
  WriteBytes(copy.Settings(), "; mine\r\n[Set]\r\nShowInfo=2\r\nAlwaysTop=0x0\r\n");
  const StartedProgram halvane(copy.Program());
  ASSERT_TRUE(halvane.Started()) << "CreateProcess failed with error " << halvane.Error();
  HWND window = WaitForMainWindow(halvane.Id());
  ASSERT_NE(window, nullptr) << "no main window appeared";

  // Not topmost, and the file path, description and company columns shown: 8 + 3 captions.
  EXPECT_FALSE(GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_TOPMOST);
  const HWND header = ChildOfClass(ChildOfClass(window, WC_LISTVIEWW), WC_HEADERW);
  ASSERT_NE(header, nullptr);
  EXPECT_EQ(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0), 11);
  // Both values were applied and written back in their plain form, in place.
  EXPECT_EQ(FileBytes(copy.Settings()), "; mine\r\n[Set]\r\nShowInfo=1\r\nAlwaysTop=0\r\n");

  PostMessageW(window, WM_CLOSE, 0, 0);
  HWND question = nullptr;
  ASSERT_TRUE(WaitUntil([&] {
    question = FindProcessWindow(halvane.Id(), kBoxClass, kBoxCaption);
    return question != nullptr;
  }));
  PostMessageW(question, WM_COMMAND, IDYES, 0);
  EXPECT_EQ(halvane.WaitForExit(), 0u);
}

}  // namespace
}  // namespace halvane
