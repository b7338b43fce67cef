#pragma once
#include <QPixmap>

namespace halvane {

// The window's pictures, drawn in code. Button glyphs are 16 x 16.
QPixmap QuestionMarkGlyph();   // BTNHelp
QPixmap DownArrowGlyph();      // BTNUpdate
QPixmap GlobeGlyph();          // BTNHomePage
QPixmap CircularArrowGlyph();  // BTNRefresh
QPixmap StopPlateGlyph();      // BTNEndPro

// The grey form a glyph button shows while it is disabled.
QPixmap GreyForm(const QPixmap& glyph);

// Image1: 19 x 18, a small window with an orange title bar and a green plus sign, on white.
QPixmap ManagePicture();

// The program's own icon, 32 x 32.
QPixmap ProgramIconPicture();

// A generic program file icon of the given size, for when the icon theme has none.
QPixmap GenericProgramPicture(int size);

}  // namespace halvane
