// Filters that decide which top-level windows are task windows.
#pragma once

#include <windows.h>

#include <string>

// Looks at the window's visible root: false for a pop-up, a disabled window,
// one with the class-specific style bit 0x80 (the modal frame of a dialog),
// an unnamed class, a class containing "tooltip" in any case, and the
// taskbar ("Shell_TrayWnd", case-sensitive).
bool isTaskWindow(HWND hwnd);

// True when IsWindowVisible returns exactly 1 and the window rectangle has a
// positive width and height.
bool hasVisibleArea(HWND hwnd);

// The window's class name (at most 259 characters), or empty text.
std::string getClassNameStr(HWND hwnd);
