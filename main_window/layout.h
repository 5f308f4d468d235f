// Layout arithmetic of the main window, in twips (1440 to the inch, so 15 to
// a pixel at 96 dots per inch). Pure functions: the window code reads the
// sizes, these compute, the window code applies.
#pragma once

// Pixels for a twip value at the given dots per inch, rounded to the nearest
// pixel. Fractions of a twip are carried through to here unchanged.
int twipsToPixels(float twips, int dpi);

// Twips for a pixel count at the given dots per inch.
float pixelsToTwips(int pixels, int dpi);

struct ListSize {
    float width;
    float height;
};

// The list's width from the window's outer width, and its height from the
// client height less the panel. A negative result is refused and that
// dimension keeps its value from `current`.
ListSize listSizeFor(float formOuterWidth, float clientHeight, float frameHeight,
                     ListSize current);

// The list's height in pixels once cut to whole lines: the client area
// (`height` less the border and scroll bar, `frame`) shortened to a multiple
// of the line height, as a list box does for itself. A list no higher than
// one line keeps its height.
int wholeLinesHeight(int height, int frame, int lineHeight);

struct PanelPlacement {
    float frameTop;
    float frameWidth;
    float closeLeft;
};

// The panel sits 30 twips below the list's actual height and spans the client
// width; the Close button is centred in it, computed as two halves.
PanelPlacement panelPlacementFor(float listHeight, float clientWidth, float closeWidth);
