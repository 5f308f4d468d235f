// A Store app's window on Windows 10 and 11: a frame of class
// ApplicationFrameWindow, which the frame host owns, holding the app's own
// window, a child of class Windows.UI.Core.CoreWindow, which the app's
// process owns. Any program may register that class name, so a frame counts
// only where the frame host owns it.
#pragma once

#include <windows.h>

#include <string>

// Whether a window of class `className` may be a frame.
bool hasFrameClass(const std::string& className);

// Whether `exePath` names the frame host: its file name is
// ApplicationFrameHost.exe, in any case.
bool isFrameHost(const std::string& exePath);

// The process of the app inside `frame`: that of its first child of the
// app's class that belongs to another process than the frame's, `framePid`.
// 0 while there is none (the frame may come to the front before the app's
// window is in it, and a minimised app's window leaves its frame). Reads
// the frame's children only. The NT family only.
DWORD appProcessInFrame(HWND frame, DWORD framePid);
