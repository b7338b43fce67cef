#pragma once
#include <QColor>
#include <QFont>

namespace halvane {

// Colours and fonts of the main window's layout.
inline const QColor kPanelColor(236, 245, 248);       // PTop, PBottom
inline const QColor kButtonFace(244, 244, 240);       // glyph buttons
inline const QColor kButtonHighlight(106, 141, 244);  // pressed or focused glyph button
inline const QColor kButtonHotTrack(255, 199, 60);    // glyph button under the pointer
inline const QColor kSelectionColor(0, 128, 64);      // the selected row, focused or not
inline const QColor kGridColor(153, 180, 209);        // the active window caption's colour
inline const QColor kHeaderHotColor(0, 0, 255);       // caption under the pointer
inline const QColor kHeaderLineColor(213, 213, 213);

inline constexpr int kWindowFontPixels = 11;  // Arial 8 pt
inline constexpr int kHeaderFontPixels = 13;  // the header's 10 pt caption font

// Arial where it exists, else a look-alike, with the CJK font for the Chinese captions.
QFont WindowFont(int pixelSize = kWindowFontPixels, bool bold = false);

}  // namespace halvane
