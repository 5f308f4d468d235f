// Context menus: the list's (right-click, Shift+F10 or the Menu key) and
// the Suspects window's.
#pragma once

#include <windows.h>

struct MenuItem {
    UINT id;  // 1 and up
    const char* text;
    bool enabled;
};

// Shows a menu of `items` at `at` (screen coordinates), for `owner`, and
// returns the id of the item chosen once it closes, or 0. The menu runs a
// modal loop of the system's own, which tells `owner` it runs
// (WM_ENTERMENULOOP).
UINT trackMenu(HWND owner, POINT at, const MenuItem* items, int count);

enum class ListMenuChoice { none, copy, copyWithDetails, copyAllWithDetails, clear, suspects };

// The list's menu. Without a line chosen, the two items for one line are
// grayed.
ListMenuChoice trackListMenu(HWND owner, POINT at, bool lineChosen);
