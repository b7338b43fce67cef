#pragma once
#include <string>
#include <string_view>

namespace halvane {

// The shared code holds every text as UTF-8; the system's W functions take and give UTF-16.
// Invalid input converts to what the system makes of it (replacement characters), never throws.
std::wstring Utf8ToWide(std::string_view text);
std::string WideToUtf8(std::wstring_view text);
// The text of a fixed buffer up to its first NUL, at most `capacity` characters.
std::string WideBufferToUtf8(const wchar_t* buffer, std::size_t capacity);

}  // namespace halvane
