// The mouse as the user moves it: hovering, the left button, moves, and
// reading the tooltip that shows.
#pragma once

#include <windows.h>

#include <string>

namespace e2e {

// Puts the mouse pointer at `where` (screen coordinates) and waits until it
// stays there: in a Wine virtual desktop a moved pointer sometimes bounces
// back to where it was. False when it does not stay.
bool movePointerTo(POINT where);

// Moves the pointer by `dx`, `dy` pixels as the mouse moves it (SendInput):
// the window that holds the capture, or else the one under the pointer, gets
// the move. False when the input was not taken.
bool movePointerBy(int dx, int dy);

// The left button goes down, or up, where the pointer is (SendInput). Two
// calls apart, as a person clicks: a press and a release sent together are
// down for no measurable time. False when the input was not taken.
bool pressLeftButton();
bool releaseLeftButton();

// Clicks at `where` as a person does: the pointer goes there, the button
// (the right one with `right`) goes down, is held for a moment and comes up.
// False when the pointer would not stay or the input was not taken.
bool clickAt(POINT where, bool right = false);

// The middle of line `index` of the list box `list`, in screen coordinates;
// false when the line's rectangle cannot be read.
bool middleOfLine(HWND list, int index, POINT& where);

// Waits until a tooltip of process `pid` shows and returns its text; empty
// text when none shows within `timeoutMs`. (A hidden tooltip keeps its last
// text, so only a visible one counts.)
std::string waitForTooltipText(DWORD pid, DWORD timeoutMs);

}  // namespace e2e
