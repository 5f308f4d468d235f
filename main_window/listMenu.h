// The list's context menu: right-click, Shift+F10 or the Menu key.
#pragma once

#include <windows.h>

enum class ListMenuChoice { none, copy, copyWithDetails, copyAllWithDetails, clear };

// Shows the menu at `at` (screen coordinates), for `owner`, and returns what
// was chosen once it closes. Without a line chosen, the two items for one
// line are grayed. The menu runs a modal loop of the system's own, which
// tells `owner` it runs (WM_ENTERMENULOOP).
ListMenuChoice trackListMenu(HWND owner, POINT at, bool lineChosen);
