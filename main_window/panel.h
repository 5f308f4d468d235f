// The borderless panel (Frame1) that holds the buttons below the list. It
// paints itself in a system colour, hands that colour to its check box, and
// passes its children's commands on to the main window.
#pragma once

#include <windows.h>

extern const char panelClassName[];

bool registerPanelClass(HINSTANCE instance);

// Paints the panel in the system colour `colourIndex` (COLOR_BTNFACE and so
// on) from now on, following later changes of the colour scheme.
void setPanelBackColour(HWND panel, int colourIndex);
