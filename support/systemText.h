// Text at the boundary with the system.
//
// Inside the program every text is a std::string. On the NT family it holds
// UTF-8, read through the system's wide ("W") functions, so that a caption in
// any script arrives whole. On the 95 family it holds the ANSI bytes of the
// "A" functions, since the wide functions there are stubs that fail. The
// functions here convert, by the family that OSInfo names; the rest of the
// program (trimming, the log line) works on the text as it is: blanks, NULs
// and the line's own labels are single bytes in both.
#pragma once

#include <windows.h>

#include <cstddef>
#include <string>

// Text the system gave in its ANSI code page (a registry value, a task name
// from VDMDBG): unchanged on the 95 family, as UTF-8 on NT.
std::string textFromAnsi(const std::string& ansi);

// Text from a wide function (NT family), and text for one.
std::string textFromWide(const wchar_t* text, std::size_t length);
std::wstring wideFromText(const std::string& text);
// The same written to `out`, which has room enough (no NUL added), or only
// counted when `out` is null: the number of UTF-16 units.
std::size_t writeWideFromText(const std::string& text, wchar_t* out);

// `units` of wide text in the system's ANSI code page (NT family), as a
// program that pastes CF_TEXT expects it (the system puts '?' for what the
// code page lacks), written to `out` with room for `room` bytes (no NUL
// added), or only counted when `out` is null: the number of bytes.
std::size_t ansiFromWide(const wchar_t* wide, std::size_t units, char* out, std::size_t room);

// A list box of text: created with the wide function on NT (so that it holds
// Unicode), lines added and read in the program's text.
HWND createListBox(DWORD exStyle, DWORD style, const RECT& place, HWND parent, int id);
// The index of the new line, or LB_ERR / LB_ERRSPACE.
LRESULT addListLine(HWND list, const std::string& line);
// The same, for a line put in at `index`.
LRESULT insertListLine(HWND list, int index, const std::string& line);
// The text of line `index`, or false.
bool readListLine(HWND list, int index, std::string& line);
// The width and height of `text` in the font selected into `dc`.
SIZE measureText(HDC dc, const std::string& text);
