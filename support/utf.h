// Conversions between the system's UTF-16 and the UTF-8 the program keeps its
// text in on the NT family. Pure: no platform call, so any text can be tried.
//
// Windows does not insist that UTF-16 text is well formed: a caption may hold
// half of a surrogate pair. Such a half is kept as the three-byte sequence of
// its code unit (as WTF-8 does), so that converting back gives the very same
// UTF-16 text.
#pragma once

#include <cstddef>
#include <string>

std::string utf8FromUtf16(const wchar_t* text, std::size_t length);
std::string utf8FromUtf16(const std::wstring& text);

// Bytes that are not well-formed UTF-8 each become U+FFFD.
std::wstring utf16FromUtf8(const std::string& text);
// The same written to `out` (room enough, no NUL added), or only counted
// when `out` is null: the number of UTF-16 units.
std::size_t writeUtf16FromUtf8(const std::string& text, wchar_t* out);
