// Reading the lines of another process's list box.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace e2e {

// Reads every line of `list`. False when the list box does not answer (gone,
// or its thread hung). The text is fetched as Unicode and converted to the
// ANSI code page: across processes Wine hands LB_GETTEXT's text back in
// Unicode even to an ANSI caller.
bool readListBoxLines(HWND list, std::vector<std::string>& lines);

// The text of one line, or false.
bool readListBoxLine(HWND list, int index, std::string& line);
// The same, exactly as the list box holds it.
bool readListBoxLine(HWND list, int index, std::wstring& line);

// The rectangle of line `index` in the list box's client area, or false.
bool lineRect(HWND list, int index, RECT& rect);

// The number of lines, or -1 when the list box does not answer.
int listBoxCount(HWND list);

}  // namespace e2e
