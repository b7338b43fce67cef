#pragma once
#include <windows.h>

#include <commctrl.h>

namespace halvane {

// The pictures of the five glyph buttons, 16 x 16 at 96 DPI.
enum class Glyph { QuestionMark, DownArrow, Globe, CircularArrow, StopPlate };

// A button image list of `size` x `size`: one image per button state (normal, hot, pressed,
// disabled, defaulted, stylus hot), the disabled one in grey. The caller destroys it.
HIMAGELIST MakeGlyphImageList(Glyph glyph, int size);

// The manage picture: a small window with an orange title bar and a green plus sign, on white,
// 19 x 18 at 96 DPI (`width` x `height` here). The caller deletes it.
HBITMAP MakeManagePicture(int width, int height);

}  // namespace halvane
