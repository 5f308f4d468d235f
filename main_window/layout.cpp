#include "main_window/layout.h"

namespace {

constexpr int quartersPerInch = 1440 * quartersPerTwip;
constexpr QuarterTwips listWidthAllowance = twips(165);
constexpr QuarterTwips listHeightOverlap = twips(180);
constexpr QuarterTwips gapBelowList = twips(30);

// numerator / denominator (positive) to the nearest whole number, halves
// away from zero.
int dividedToNearest(int numerator, int denominator) {
    const int whole = numerator / denominator;  // cut toward zero
    const int rest = numerator % denominator;   // with the numerator's sign
    if (2 * rest >= denominator) {
        return whole + 1;
    }
    if (2 * rest <= -denominator) {
        return whole - 1;
    }
    return whole;
}

}  // namespace

int twipsToPixels(QuarterTwips length, int dpi) {
    return dividedToNearest(length * dpi, quartersPerInch);
}

QuarterTwips pixelsToTwips(int pixels, int dpi) {
    return dividedToNearest(pixels * quartersPerInch, dpi);
}

ListSize listSizeFor(QuarterTwips formOuterWidth, QuarterTwips clientHeight,
                     QuarterTwips frameHeight, ListSize current) {
    ListSize next = current;
    const QuarterTwips width = formOuterWidth - listWidthAllowance;
    if (width >= 0) {
        next.width = width;
    }
    const QuarterTwips height = clientHeight - frameHeight + listHeightOverlap;
    if (height >= 0) {
        next.height = height;
    }
    return next;
}

int wholeLinesHeight(int height, int frame, int lineHeight) {
    const int client = height - frame;
    if (lineHeight <= 0 || client <= lineHeight) {
        return height;
    }
    return height - client % lineHeight;
}

PanelPlacement panelPlacementFor(QuarterTwips listHeight, QuarterTwips clientWidth,
                                 QuarterTwips closeWidth) {
    PanelPlacement placement;
    placement.frameTop = listHeight + gapBelowList;
    placement.frameWidth = clientWidth;
    placement.closeLeft = (placement.frameWidth - closeWidth) / 2;
    return placement;
}
