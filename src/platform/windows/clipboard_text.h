#pragma once
#include <string>

namespace halvane {

// Replaces the clipboard's content with the text (UTF-8): as CF_UNICODETEXT, and beside it as
// CF_TEXT in the system's ANSI code page for programs that read only 8-bit text (characters
// outside that code page become "?" there). False when the clipboard could not be opened or
// filled; what was put on it until then stays.
bool PutTextOnClipboard(const std::string& utf8);

}  // namespace halvane
