// Putting the program's window into a modal loop of the system's own, and
// telling whether one runs.
#pragma once

#include <windows.h>

namespace e2e {

// Whether the GUI thread `threadId` is in the loop that `flag` names:
// GUI_INMOVESIZE for moving or sizing, GUI_INMENUMODE for a menu.
bool inModalLoop(DWORD threadId, DWORD flag);

// Alt+Space, Move: the window's keyboard move loop, which runs until Enter or
// Esc (under Wine, also when another window takes the front).
void startMoveLoop(HWND window);

// The mouse move loop, started as a press on the caption starts it: the left
// button goes down on a point near the window's top that is the window's own
// (no control of it, no other window over it), then SC_MOVE | HTCAPTION is
// posted. Wine without a window manager draws no caption, and a point of the
// caption would start a loop of its own, so the point is in the client area.
// The window follows the pointer until the button goes up. False when no
// such point is found or the press is not taken; the button is then up.
bool startDragMoveLoop(HWND window);

// The window's system menu, opened as a right-click on its caption opens it
// (WM_CONTEXTMENU at a point of the caption). False when no point of the
// window answers to being its caption.
bool openCaptionMenu(HWND window);

// A point of `window`'s non-client area where it reports `hitCode` (HTCLOSE,
// HTCAPTION), found by asking the window about points of its title bar from
// the right.
bool findNonClientPoint(HWND window, LRESULT hitCode, POINT& where);

}  // namespace e2e
