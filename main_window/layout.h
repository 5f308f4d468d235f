// Layout arithmetic of the main window, in twips (1440 to the inch, so 15 to
// a pixel at 96 dots per inch). Pure functions: the window code reads the
// sizes, these compute, the window code applies.
//
// Lengths are whole numbers of quarter twips, so the layout needs no
// floating point: the design's twips, a pixel at 96, 120, 144 or 192 dots per
// inch (15, 12, 10 or 7.5 twips) and half of any of them are all exact. The
// arithmetic stays within an int for windows below 372,000 pixels.
#pragma once

using QuarterTwips = int;

constexpr int quartersPerTwip = 4;

// A length of whole twips in the layout's unit.
constexpr QuarterTwips twips(int whole) {
    return whole * quartersPerTwip;
}

// Pixels for a length at the given (positive) dots per inch, rounded to the
// nearest pixel, halves away from zero.
int twipsToPixels(QuarterTwips length, int dpi);

// The length of a pixel count at the given (positive) dots per inch, to the
// nearest quarter twip.
QuarterTwips pixelsToTwips(int pixels, int dpi);

struct ListSize {
    QuarterTwips width;
    QuarterTwips height;
};

// The list's width from the window's outer width, and its height from the
// client height less the panel. A negative result is refused and that
// dimension keeps its value from `current`.
ListSize listSizeFor(QuarterTwips formOuterWidth, QuarterTwips clientHeight,
                     QuarterTwips frameHeight, ListSize current);

// The list's height in pixels once cut to whole lines: the client area
// (`height` less the border and scroll bar, `frame`) shortened to a multiple
// of the line height, as a list box does for itself. A list no higher than
// one line keeps its height.
int wholeLinesHeight(int height, int frame, int lineHeight);

struct PanelPlacement {
    QuarterTwips frameTop;
    QuarterTwips frameWidth;
    QuarterTwips closeLeft;
};

// The panel sits 30 twips below the list's actual height and spans the client
// width; the Close button is centred in it: half the width the button leaves
// free lies to its left.
PanelPlacement panelPlacementFor(QuarterTwips listHeight, QuarterTwips clientWidth,
                                 QuarterTwips closeWidth);
