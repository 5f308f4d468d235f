#include "main_window/layout.h"

#include <cmath>  // std::isfinite, which the compiler builds in

namespace {

constexpr float twipsPerInch = 1440.0f;
constexpr float listWidthAllowance = 165.0f;
constexpr float listHeightOverlap = 180.0f;
constexpr float gapBelowList = 30.0f;

bool acceptableSize(float value) {
    return std::isfinite(value) && value >= 0.0f;
}

}  // namespace

int twipsToPixels(float twips, int dpi) {
    // To the nearest pixel, halves away from zero. The fraction left after
    // cutting off the whole pixels is exact in a double.
    const double pixels = static_cast<double>(twips) * dpi / twipsPerInch;
    const int whole = static_cast<int>(pixels);
    const double fraction = pixels - whole;
    if (fraction >= 0.5) {
        return whole + 1;
    }
    if (fraction <= -0.5) {
        return whole - 1;
    }
    return whole;
}

float pixelsToTwips(int pixels, int dpi) {
    return static_cast<float>(static_cast<double>(pixels) * twipsPerInch / dpi);
}

ListSize listSizeFor(float formOuterWidth, float clientHeight, float frameHeight,
                     ListSize current) {
    ListSize next = current;
    const float width = formOuterWidth - listWidthAllowance;
    if (acceptableSize(width)) {
        next.width = width;
    }
    const float height = clientHeight - frameHeight + listHeightOverlap;
    if (acceptableSize(height)) {
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

PanelPlacement panelPlacementFor(float listHeight, float clientWidth, float closeWidth) {
    PanelPlacement placement;
    placement.frameTop = listHeight + gapBelowList;
    placement.frameWidth = clientWidth;
    placement.closeLeft = placement.frameWidth / 2.0f - closeWidth / 2.0f;
    return placement;
}
