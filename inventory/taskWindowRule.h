// Which window gets its executable named: a top-level task window that can be
// seen and stands on its own. Pure: the caller reads the window's values, so
// every case can be tried without a desktop.
#pragma once

#include <cstdint>
#include <string>

struct WindowTraits {
    std::uint32_t style = 0;         // GWL_STYLE
    std::string className;
    int visible = 0;                 // IsWindowVisible's answer
    std::int64_t width = 0;          // of the window rectangle
    std::int64_t height = 0;
    bool parentOrOwnerVisible = false;  // GetParent names a visible window
};

// False for a pop-up, a disabled window, one with the class-specific style
// bit 0x80 (the modal frame of a dialog), an unnamed class, a class whose
// name contains "tooltip" in any case, and the taskbar ("Shell_TrayWnd",
// case-sensitive).
bool isTaskWindow(std::uint32_t style, const std::string& className);

// True when IsWindowVisible answered exactly 1 and the rectangle has a
// positive width and height.
bool hasVisibleArea(int visible, std::int64_t width, std::int64_t height);

// A top-level task window with a visible area that is its own visible root:
// no visible window above it owns it.
bool qualifiesForLookup(const WindowTraits& window);
