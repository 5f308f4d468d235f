// The main window and its controls as they are created, in twips.
#pragma once

struct TwipRect {
    float left;
    float top;
    float width;
    float height;
};

namespace design {

constexpr const char formCaption[] = "Velquist";
constexpr float formClientWidth = 12540.0f;
constexpr float formClientHeight = 4500.0f;

// Children of the window, in tab order.
constexpr TwipRect list1{30.0f, 45.0f, 12435.0f, 3570.0f};
constexpr TwipRect frame1{0.0f, 3660.0f, 12495.0f, 795.0f};

// Children of the panel, in tab order; positions are inside the panel.
constexpr TwipRect cmdClear{12240.0f, 0.0f, 240.0f, 255.0f};
constexpr TwipRect chkTopMost{60.0f, 420.0f, 1755.0f, 255.0f};
constexpr TwipRect cmdClose{5340.0f, 180.0f, 1875.0f, 435.0f};

constexpr const char cmdClearCaption[] = "x";
constexpr const char chkTopMostCaption[] = "TopMost";
constexpr const char cmdCloseCaption[] = "Close";

constexpr unsigned timer1Interval = 100;  // milliseconds, fires once

}  // namespace design
