// Reading a window's values for the task-window rule.
#pragma once

#include <windows.h>

#include <string>

#include "inventory/taskWindowRule.h"

// The window's class name (at most 259 characters), or empty text.
std::string getClassNameStr(HWND hwnd);

// The values the task-window rule looks at, as the platform reports them
// now; a window that is gone gives neutral values.
WindowTraits readWindowTraits(HWND hwnd);

// Whether the executable of `hwnd`'s process is to be named.
bool qualifiesForLookup(HWND hwnd);
