// A Store app's window on Windows 10 and 11: a frame of class
// ApplicationFrameWindow, which the frame host owns, holding the app's own
// window, a child of class Windows.UI.Core.CoreWindow, which the app's
// process owns.
#pragma once

#include <windows.h>

#include <string>

// For a frame, the process of the app inside it: that of its first child of
// the app's class that belongs to another process than the frame. 0 for any
// other window, and for a frame without such a child (a minimised app's
// window leaves its frame). The NT family only.
DWORD appProcessInFrame(HWND window, const std::string& className, DWORD framePid);
