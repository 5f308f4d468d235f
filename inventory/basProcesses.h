// Which executable belongs to a window.
#pragma once

#include <windows.h>

#include <string>

// The full path of the executable of the process that owns the top-level task
// window `hwnd`, or empty text.
std::string getExeOfWindow(HWND hwnd);
