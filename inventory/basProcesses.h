// The inventory: which executable belongs to a window.
#pragma once

#include <windows.h>

#include <string>

// The full path of the executable of the process that owns `hwnd`, or empty
// text. Only a top-level task window that can be seen and is its own visible
// root gets a path (basWindows.h); a pop-up, a tooltip, the taskbar, a
// disabled, hidden, zero-sized or owned window gets empty text. Any handle is
// accepted, 0 included. Nothing is kept from one call to the next.
std::string getExeOfWindow(HWND hwnd);

// The lookup for a window other than 0: PSAPI is settled first on the NT
// family (it may ask the user once per run), then the window is judged, and
// only then its process asked.
std::string findWindowProcess(HWND hwnd);
