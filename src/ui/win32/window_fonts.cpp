#include "ui/win32/window_fonts.h"

namespace halvane {
namespace {

constexpr int kWindowFontPixels = 11;
constexpr int kHeaderFontPixels = 13;

HFONT MakeFont(const wchar_t* face, int pixels, int weight, bool underline = false) {
  LOGFONTW font{};
  font.lfHeight = -pixels;
  font.lfWeight = weight;
  font.lfUnderline = underline ? TRUE : FALSE;
  font.lfCharSet = DEFAULT_CHARSET;
  font.lfQuality = CLEARTYPE_QUALITY;
  lstrcpynW(font.lfFaceName, face, LF_FACESIZE);
  return CreateFontIndirectW(&font);
}

}  // namespace

WindowFonts::WindowFonts(const DpiScale& scale)
    : normal_(MakeFont(L"Arial", scale(kWindowFontPixels), FW_NORMAL)),
      bold_(MakeFont(L"Arial", scale(kWindowFontPixels), FW_BOLD)),
      underlined_(MakeFont(L"Arial", scale(kWindowFontPixels), FW_NORMAL, /*underline=*/true)),
      header_(MakeFont(L"MS Sans Serif", scale(kHeaderFontPixels), FW_NORMAL)) {}

WindowFonts::~WindowFonts() {
  DeleteObject(normal_);
  DeleteObject(bold_);
  DeleteObject(underlined_);
  DeleteObject(header_);
}

int TextWidth(HFONT font, const wchar_t* text) {
  const HDC screen = GetDC(nullptr);
  const HGDIOBJ old = SelectObject(screen, font);
  SIZE size{};
  GetTextExtentPoint32W(screen, text, lstrlenW(text), &size);
  SelectObject(screen, old);
  ReleaseDC(nullptr, screen);
  return size.cx;
}

int TextHeight(HFONT font) {
  const HDC screen = GetDC(nullptr);
  const HGDIOBJ old = SelectObject(screen, font);
  TEXTMETRICW metrics{};
  GetTextMetricsW(screen, &metrics);
  SelectObject(screen, old);
  ReleaseDC(nullptr, screen);
  return metrics.tmHeight;
}

}  // namespace halvane
