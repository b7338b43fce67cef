#include <cstdio>
#include <vector>

#include "desktop_process.h"

namespace halvane::testing_win32 {

bool SaveScreenArea(const RECT& area, const fs::path& file) {
  const int width = area.right - area.left;
  const int height = area.bottom - area.top;
  if (width <= 0 || height <= 0)
    return false;
  const HDC screen = GetDC(nullptr);
  const HDC memory = CreateCompatibleDC(screen);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = height;  // bottom-up, as BMP files store rows
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  const HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  const HGDIOBJ old = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, width, height, screen, area.left, area.top, SRCCOPY);
  GdiFlush();
  const DWORD stride = ((static_cast<DWORD>(width) * 3 + 3) / 4) * 4;
  const DWORD imageSize = stride * static_cast<DWORD>(height);
  BITMAPFILEHEADER header{};
  header.bfType = 0x4D42;  // "BM"
  header.bfOffBits = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);
  header.bfSize = header.bfOffBits + imageSize;
  info.bmiHeader.biSizeImage = imageSize;
  bool written = false;
  if (FILE* out = _wfopen(file.c_str(), L"wb")) {
    written = fwrite(&header, sizeof(header), 1, out) == 1 &&
              fwrite(&info.bmiHeader, sizeof(info.bmiHeader), 1, out) == 1 &&
              fwrite(bits, imageSize, 1, out) == 1;
    written = (fclose(out) == 0) && written;
  }
  SelectObject(memory, old);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return written;
}

}  // namespace halvane::testing_win32
