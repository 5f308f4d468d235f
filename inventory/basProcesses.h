// The inventory: which executable belongs to a window.
#pragma once

#include <windows.h>

#include <string>

#include "inventory/processDetails.h"
#include "inventory/taskWindowRule.h"

// The full path of the executable of process `pid`, which owns window
// `hwnd`, or empty text. `window` holds the values the caller read of the
// window for its log line; only whether its parent or owner is visible is
// read here. Only a top-level task window that can be seen and is its own
// visible root gets a path (taskWindowRule.h): a pop-up, a tooltip, the
// taskbar, a disabled, hidden, zero-sized or owned window gets empty text,
// and so does the handle 0. On the NT family PSAPI is settled first (it may
// ask the user once per run). Nothing is kept from one call to the next.
std::string getExeOfWindow(HWND hwnd, DWORD pid, WindowTraits window, DWORD thread = 0);

// What the log records of the process behind window `hwnd`, owned by
// thread `thread` of process `pid`, read at the change. On the NT family
// the window's process is opened once and its parent once; for a Store
// app's frame, the host and the app once each.
struct WindowProcess {
    DWORD pid = 0;          // the window's process; for a Store app's frame, the app's
    std::string exePath;    // as getExeOfWindow gives it, for that process
    ProcessDetails details;  // of that process, whether or not its exe is named
    FrameHost frame;        // a Store app's frame: the host that owns it
    // A Store app's frame whose app's window is not in it yet: pid, exePath
    // and details are the host's until lookUpAppInFrame finds the app.
    bool appPending = false;
};
WindowProcess lookUpWindowProcess(HWND hwnd, DWORD pid, DWORD thread, const WindowTraits& window);

// For `process`, looked up for the Store app's frame `frame` while its
// app's window was not yet in it (appPending): once the app's window is in
// the frame, names the app as lookUpWindowProcess does (pid, exePath,
// details; the frame's own traits `frameTraits` decide whether exePath is
// given), keeps `frame`, clears appPending and returns true. False, and
// `process` unchanged, while the app's window is still missing, or when
// nothing is pending. Until the app is found it reads only the frame's
// children, so a caller may ask again and again for a while.
bool lookUpAppInFrame(HWND frame, const WindowTraits& frameTraits, WindowProcess& process);
