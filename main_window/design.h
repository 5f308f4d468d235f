// The main window and its controls as they are created, in twips (held as
// quarter twips, layout.h).
#pragma once

#include "main_window/layout.h"

struct TwipRect {
    QuarterTwips left;
    QuarterTwips top;
    QuarterTwips width;
    QuarterTwips height;
};

namespace design {

constexpr const char formCaption[] = "Velquist";
constexpr QuarterTwips formClientWidth = twips(12540);
constexpr QuarterTwips formClientHeight = twips(4500);

// Children of the window, in tab order.
constexpr TwipRect list1{twips(30), twips(45), twips(12435), twips(3570)};
constexpr TwipRect frame1{twips(0), twips(3660), twips(12495), twips(795)};

// Children of the panel, in tab order; positions are inside the panel.
constexpr TwipRect cmdClear{twips(12240), twips(0), twips(240), twips(255)};
constexpr TwipRect chkTopMost{twips(60), twips(420), twips(1755), twips(255)};
constexpr TwipRect cmdClose{twips(5340), twips(180), twips(1875), twips(435)};

constexpr const char cmdClearCaption[] = "x";
constexpr const char chkTopMostCaption[] = "TopMost";
constexpr const char cmdCloseCaption[] = "Close";

constexpr unsigned timer1Interval = 100;  // milliseconds, fires once

}  // namespace design
