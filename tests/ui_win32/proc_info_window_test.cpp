// The process details dialog on the desktop: its frame, every control at its place with its
// look, modal over its owner, its link and its ways to close.
#include "ui/win32/proc_info_window.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <vector>

#include "desktop_process.h"
#include "dialog_script.h"
#include "fakes/app_fakes.h"
#include "platform/windows/shell_icons.h"
#include "platform/windows/wide_text.h"
#include "ui/win32/panel_window.h"

namespace halvane {
namespace {

namespace fs = std::filesystem;
using fakes::CallLog;
using testing_win32::DialogSurface;
using testing_win32::ScriptedOwner;
using W = ProcInfoWindow;

constexpr const wchar_t* kProgramPath = L"C:\\Program Files\\应用\\app.exe";

RECT PlaceOnPanel(HWND control, HWND panel) {
  RECT place{};
  GetWindowRect(control, &place);
  MapWindowPoints(nullptr, panel, reinterpret_cast<POINT*>(&place), 2);
  return place;
}

std::wstring ClassOf(HWND window) {
  wchar_t name[64] = {};
  GetClassNameW(window, name, 64);
  return name;
}

LOGFONTW FontOf(HWND control) {
  LOGFONTW font{};
  GetObjectW(reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)), sizeof(font), &font);
  return font;
}

// The colour the panel shows at a point of it, as painted now.
COLORREF PanelPixel(HWND panel, int x, int y) {
  const HDC dc = GetDC(panel);
  const COLORREF colour = GetPixel(dc, x, y);
  ReleaseDC(panel, dc);
  return colour;
}

COLORREF PicturePixel(HBITMAP picture, int x, int y) {
  const HDC memory = CreateCompatibleDC(nullptr);
  const HGDIOBJ old = SelectObject(memory, picture);
  const COLORREF colour = GetPixel(memory, x, y);
  SelectObject(memory, old);
  DeleteDC(memory);
  return colour;
}

fs::path ScreenshotFile() {
  const char* folder = std::getenv("HALVANE_SCREENSHOT_DIR");
  const fs::path directory = folder && *folder ? fs::path(folder) : testing_win32::OwnDirectory();
  return directory / L"halvane-procinfo.bmp";
}

class ProcInfoWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (GetSystemMetrics(SM_CXSCREEN) == 0)
      GTEST_SKIP() << "no desktop to show windows on";
    ASSERT_NE(owner_.Handle(), nullptr);
    SetCursorPos(0, 0);  // away from the dialog: no hot-tracked button
    ShellSystemIcons icons;
    const int systemIndex = icons.SystemIconIndex(WideToUtf8(kProgramPath));
    if (systemIndex >= 0)
      iconIndex_ = largeImages_.AddSystemIcon(systemIndex, /*smallSystemList=*/false);
  }

  // The dialog filled as the process-information command fills it.
  std::unique_ptr<TFormProcInfo> FilledDialog() {
    auto dialog = std::make_unique<TFormProcInfo>(surface_, services_);
    dialog->SetLabExeCaption("app.exe");
    dialog->SetLabExeDesCaption("网络 应用  ");
    dialog->SetLabPIDCaption("PID:4242");
    dialog->SetLabcompCaption("Halvane Example ");
    dialog->SetEPathText(WideToUtf8(kProgramPath));
    dialog->DrawIcon(iconIndex_);
    return dialog;
  }

  int S(int designPixels) const { return scale_(designPixels); }

  CallLog log_;
  DpiScale scale_ = DpiScale::ForSystem();
  WindowFonts fonts_{scale_};
  SystemImageListStore largeImages_;
  int iconIndex_ = -1;
  ScriptedOwner owner_;
  DialogSurface surface_{log_, owner_.Handle(), fonts_, scale_, largeImages_};
  fakes::FakeAppServices services_{log_};
};

TEST_F(ProcInfoWindowTest, TheDialogShowsItsControlsAtTheirPlacesModallyOverItsOwner) {
  auto dialog = FilledDialog();
  ProcInfoWindow* window = surface_.last;
  ASSERT_NE(window, nullptr);
  HWND shown = nullptr;
  owner_.Script(
      {[&](HWND handle) {
         shown = handle;
         ASSERT_EQ(window->Handle(), handle);
         EXPECT_EQ(testing_win32::WindowText(handle), L"进程详细信息");
         EXPECT_EQ(GetWindow(handle, GW_OWNER), owner_.Handle());
         EXPECT_FALSE(IsWindowEnabled(owner_.Handle())) << "the owner takes input while it is open";

         // A fixed frame whose caption has the close button only, the client area at its size.
         const LONG_PTR style = GetWindowLongPtrW(handle, GWL_STYLE);
         EXPECT_TRUE(style & WS_CAPTION);
         EXPECT_TRUE(style & WS_SYSMENU);
         EXPECT_FALSE(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME));
         RECT client{};
         GetClientRect(handle, &client);
         EXPECT_EQ(client.right, S(425));
         EXPECT_EQ(client.bottom, S(237));
         RECT frame{};
         RECT owned{};
         GetWindowRect(handle, &frame);
         GetWindowRect(owner_.Handle(), &owned);
         EXPECT_NEAR((frame.left + frame.right) / 2, (owned.left + owned.right) / 2, 1);
         EXPECT_NEAR((frame.top + frame.bottom) / 2, (owned.top + owned.bottom) / 2, 1);

         const HWND panel = window->Control(W::kPanel1);
         ASSERT_NE(panel, nullptr);
         EXPECT_EQ(PlaceOnPanel(panel, handle).right, S(425));
         EXPECT_EQ(PlaceOnPanel(panel, handle).bottom, S(237));
         struct Fixed {
           int id;
           const wchar_t* className;
           int left, top, width, height;
           const wchar_t* text;
         };
         const Fixed fixed[] = {
             {W::kImage1, L"Static", 16, 16, 32, 32, L""},
             {W::kShape1, L"Static", 8, 114, 409, 1, L""},
             {W::kLabel5, L"Static", 10, 121, 54, 14, L"文件路径: "},
             {W::kEPath, L"Edit", 8, 140, 409, 20, kProgramPath},
             {W::kLabLocate, L"Static", 12, 179, 48, 14, L"定位文件"},
             {W::kShape2, L"Static", 8, 198, 409, 1, L""},
             {W::kBTNOK, L"Button", 321, 202, 97, 26, L"确定"},
         };
         for (const Fixed& f : fixed) {
           SCOPED_TRACE(f.id);
           const HWND control = window->Control(f.id);
           ASSERT_NE(control, nullptr);
           EXPECT_EQ(lstrcmpiW(ClassOf(control).c_str(), f.className), 0) << ClassOf(control);
           const RECT place = PlaceOnPanel(control, panel);
           EXPECT_EQ(place.left, S(f.left));
           EXPECT_EQ(place.top, S(f.top));
           EXPECT_EQ(place.right - place.left, S(f.width));
           EXPECT_EQ(place.bottom - place.top, S(f.height));
           EXPECT_EQ(testing_win32::WindowText(control), f.text);
         }
         // The four labels are as large as their texts.
         struct Sized {
           int id;
           int left, top;
           const wchar_t* text;
         };
         const Sized sized[] = {
             {W::kLabExe, 80, 16, L"app.exe"},
             {W::kLabExeDes, 80, 45, L"网络 应用  "},
             {W::kLabPID, 80, 69, L"PID:4242"},
             {W::kLabcomp, 80, 91, L"Halvane Example "},
         };
         for (const Sized& s : sized) {
           SCOPED_TRACE(s.id);
           const HWND label = window->Control(s.id);
           const RECT place = PlaceOnPanel(label, panel);
           const HFONT font = reinterpret_cast<HFONT>(SendMessageW(label, WM_GETFONT, 0, 0));
           EXPECT_EQ(testing_win32::WindowText(label), s.text);
           EXPECT_EQ(place.left, S(s.left));
           EXPECT_EQ(place.top, S(s.top));
           EXPECT_EQ(place.right - place.left, TextWidth(font, s.text));
           EXPECT_EQ(place.bottom - place.top, TextHeight(font));
           EXPECT_GT(place.right - place.left, 0);
         }

         // The looks: Arial of 8 points, LabExe bold, LabExeDes greyed, the link underlined, the
         // path read-only and flat, BTNOK drawn by the dialog.
         const LOGFONTW exe = FontOf(window->Control(W::kLabExe));
         EXPECT_EQ(std::wstring(exe.lfFaceName), L"Arial");
         EXPECT_EQ(exe.lfHeight, -S(11));
         EXPECT_GE(exe.lfWeight, FW_BOLD);
         EXPECT_LT(FontOf(window->Control(W::kLabPID)).lfWeight, FW_BOLD);
         EXPECT_TRUE(FontOf(window->Control(W::kLabLocate)).lfUnderline);
         EXPECT_FALSE(IsWindowEnabled(window->Control(W::kLabExeDes)));
         EXPECT_TRUE(IsWindowEnabled(window->Control(W::kLabPID)));
         const HWND path = window->Control(W::kEPath);
         EXPECT_TRUE(GetWindowLongPtrW(path, GWL_STYLE) & ES_READONLY);
         EXPECT_FALSE(GetWindowLongPtrW(path, GWL_EXSTYLE) & WS_EX_CLIENTEDGE);  // flat
         const HWND ok = window->Control(W::kBTNOK);
         EXPECT_EQ(GetWindowLongPtrW(ok, GWL_STYLE) & BS_TYPEMASK, BS_OWNERDRAW);

         // BTNOK has the focus and comes first in the tab order, EPath second.
         EXPECT_EQ(GetFocus(), ok);
         EXPECT_EQ(GetNextDlgTabItem(handle, ok, FALSE), path);
         EXPECT_EQ(GetNextDlgTabItem(handle, path, FALSE), ok);

         // The colours as painted: panel, lines, path field, the button's face.
         RedrawWindow(handle, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
         EXPECT_EQ(PanelPixel(panel, S(300), S(60)), RGB(236, 245, 248));
         EXPECT_EQ(PanelPixel(panel, S(200), S(114)), RGB(196, 211, 219));
         EXPECT_EQ(PanelPixel(panel, S(200), S(198)), RGB(196, 211, 219));
         EXPECT_EQ(PanelPixel(panel, S(400), S(150)), RGB(235, 235, 235));
         // The flat field's frame: one line of its own colour, neither panel nor field.
         const COLORREF frameLine = PanelPixel(panel, S(8), S(150));
         EXPECT_NE(frameLine, RGB(236, 245, 248));
         EXPECT_NE(frameLine, RGB(235, 235, 235));
         EXPECT_EQ(PanelPixel(panel, S(321) + 4, S(202) + S(13)), RGB(209, 218, 238));
         RECT place{};
         GetWindowRect(handle, &place);
         EXPECT_TRUE(testing_win32::SaveScreenArea(place, ScreenshotFile()));
         std::printf("picture of the dialog: %ls\n", ScreenshotFile().c_str());
       },
       [](HWND handle) { PostMessageW(handle, WM_SYSCOMMAND, SC_CLOSE, 0); }});
  dialog->ShowModal();

  EXPECT_FALSE(owner_.LeftOpen());
  EXPECT_NE(shown, nullptr) << "the dialog never showed";
  EXPECT_FALSE(IsWindow(shown));
  EXPECT_EQ(window->Handle(), nullptr);
  EXPECT_TRUE(IsWindowEnabled(owner_.Handle()));
}

TEST_F(ProcInfoWindowTest, TheProgramIconSitsAtOneOneOnThePicture) {
  if (iconIndex_ < 0)
    GTEST_SKIP() << "the shell gave no icon for a program file";
  auto dialog = FilledDialog();
  const HBITMAP picture = surface_.last->Picture();
  // The first row and column stay the panel's; the icon covers the rest of the picture.
  EXPECT_EQ(PicturePixel(picture, 0, 0), PanelWindow::kPanelColour);
  EXPECT_EQ(PicturePixel(picture, S(20), 0), PanelWindow::kPanelColour);
  EXPECT_EQ(PicturePixel(picture, 0, S(20)), PanelWindow::kPanelColour);
  bool drawn = false;
  for (int y = 1; y < S(32) && !drawn; ++y) {
    for (int x = 1; x < S(32) && !drawn; ++x)
      drawn = PicturePixel(picture, x, y) != PanelWindow::kPanelColour;
  }
  EXPECT_TRUE(drawn) << "nothing of the icon is on the picture";
}

TEST_F(ProcInfoWindowTest, AnIndexWithoutAnImageDrawsNothing) {
  TFormProcInfo dialog(surface_, services_);
  for (const int index : {-1, 999})
    dialog.DrawIcon(index);
  const HBITMAP picture = surface_.last->Picture();
  for (int y = 0; y < S(32); y += 3) {
    for (int x = 0; x < S(32); x += 3)
      ASSERT_EQ(PicturePixel(picture, x, y), PanelWindow::kPanelColour) << x << "," << y;
  }
}

// Escape and Enter on the path do nothing; the link shows the file as the edit names it;
// Enter on BTNOK closes.
TEST_F(ProcInfoWindowTest, TheLinkShowsTheFileAndOnlyBTNOKOrTheFrameClose) {
  auto dialog = FilledDialog();
  ProcInfoWindow* window = surface_.last;
  HWND shown = nullptr;
  owner_.Script({
      [&](HWND handle) {
        shown = handle;
        PostMessageW(window->Control(W::kBTNOK), WM_KEYDOWN, VK_ESCAPE, 0);
      },
      [&](HWND handle) {
        EXPECT_TRUE(IsWindowVisible(handle)) << "Escape closed the dialog";
        SendMessageW(handle, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(window->Control(W::kEPath)),
                     TRUE);
        PostMessageW(window->Control(W::kEPath), WM_KEYDOWN, VK_RETURN, 0);
      },
      [&](HWND handle) {
        EXPECT_TRUE(IsWindowVisible(handle)) << "Enter on the path closed the dialog";
        const HWND link = window->Control(W::kLabLocate);
        SendMessageW(link, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
        SendMessageW(link, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
        EXPECT_EQ(log_, (CallLog{"ShowInFileManager " + WideToUtf8(kProgramPath)}));
        // Over the link the pointer is a hand.
        SendMessageW(link, WM_SETCURSOR, reinterpret_cast<WPARAM>(link),
                     MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
        EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, IDC_HAND));
        SendMessageW(handle, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(window->Control(W::kBTNOK)),
                     TRUE);
        PostMessageW(window->Control(W::kBTNOK), WM_KEYDOWN, VK_RETURN, 0);
      },
  });
  dialog->ShowModal();
  EXPECT_FALSE(owner_.LeftOpen()) << "Enter on BTNOK did not close the dialog";
  EXPECT_FALSE(IsWindow(shown));
}

// The pointer over BTNOK lights its face; leaving, the face is its own colour again.
TEST_F(ProcInfoWindowTest, BTNOKTracksThePointer) {
  auto dialog = FilledDialog();
  ProcInfoWindow* window = surface_.last;
  owner_.Script({[&](HWND handle) {
    const HWND ok = window->Control(W::kBTNOK);
    const HWND panel = window->Control(W::kPanel1);
    const int x = S(321) + 4;
    const int y = S(202) + S(13);
    SendMessageW(ok, WM_MOUSEMOVE, 0, MAKELPARAM(10, 10));
    RedrawWindow(ok, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_EQ(PanelPixel(panel, x, y), RGB(255, 244, 214));
    SendMessageW(ok, WM_MOUSELEAVE, 0, 0);
    RedrawWindow(ok, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_EQ(PanelPixel(panel, x, y), ProcInfoWindow::kOkColours.face);
    PostMessageW(handle, WM_SYSCOMMAND, SC_CLOSE, 0);
  }});
  dialog->ShowModal();
  EXPECT_FALSE(owner_.LeftOpen());
}

// Two requests, one after the other: two dialogs, the first closed by a click of BTNOK, the
// second by the frame's close button; each one goes as it closes.
TEST_F(ProcInfoWindowTest, EachRequestMakesItsOwnDialogThatGoesAsItCloses) {
  std::vector<HWND> shown;
  for (const bool byButton : {true, false}) {
    auto dialog = FilledDialog();
    ProcInfoWindow* window = surface_.last;
    owner_.Script({[&](HWND handle) {
      shown.push_back(handle);
      if (byButton)
        PostMessageW(window->Control(W::kBTNOK), BM_CLICK, 0, 0);
      else
        PostMessageW(handle, WM_SYSCOMMAND, SC_CLOSE, 0);
    }});
    dialog->ShowModal();
    EXPECT_FALSE(owner_.LeftOpen()) << (byButton ? "BTNOK" : "the close button");
    ASSERT_FALSE(shown.empty());
    EXPECT_FALSE(IsWindow(shown.back()));
    EXPECT_TRUE(IsWindowEnabled(owner_.Handle()));
  }
  ASSERT_EQ(shown.size(), 2u);
}

}  // namespace
}  // namespace halvane
