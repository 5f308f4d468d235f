#include "main_window/layout.h"

#include <gtest/gtest.h>

namespace {

constexpr QuarterTwips frameHeight = twips(795);
constexpr QuarterTwips closeWidth = twips(1875);
const ListSize created{twips(12435), twips(3570)};

constexpr QuarterTwips halfTwips(int halves) {
    return twips(halves) / 2;
}

TEST(Layout, CreationSizeGivesTheListAndPanelPositions) {
    // Client area 12540 x 4500 twips; the outer width adds the border.
    const ListSize list = listSizeFor(twips(12600), twips(4500), frameHeight, created);
    EXPECT_EQ(list.height, twips(3885));
    EXPECT_EQ(list.width, twips(12435));

    const PanelPlacement panel = panelPlacementFor(list.height, twips(12540), closeWidth);
    EXPECT_EQ(panel.frameTop, twips(3915));
    EXPECT_EQ(panel.frameWidth, twips(12540));
    EXPECT_EQ(panel.closeLeft, halfTwips(10665));
}

TEST(Layout, PanelFollowsTheHeightTheListReallyHas) {
    // The list box shortened 3885 to whole lines, say 3795.
    const PanelPlacement panel = panelPlacementFor(twips(3795), twips(12540), closeWidth);
    EXPECT_EQ(panel.frameTop, twips(3825));
}

TEST(Layout, ListIsCutToWholeLines) {
    // height, border and scroll bar, line height: the height kept
    const int cases[][4] = {
        {259, 4, 13, 251},   // 255 inside: 19 lines and 8 pixels over
        {259, 21, 13, 255},  // the horizontal scroll bar takes 17 more
        {264, 4, 13, 264},   // 260 inside: 20 whole lines
        {16, 4, 13, 16},     // one line or less is left alone
        {4, 4, 13, 4},
        {0, 4, 13, 0},
        {259, 4, 0, 259},    // no line height known
    };
    for (const auto& c : cases) {
        EXPECT_EQ(wholeLinesHeight(c[0], c[1], c[2]), c[3]) << c[0] << " " << c[1] << " " << c[2];
    }
}

TEST(Layout, ClientHeightOf615GivesAnEmptyList) {
    const ListSize list = listSizeFor(twips(12600), twips(615), frameHeight, created);
    EXPECT_EQ(list.height, twips(0));
}

TEST(Layout, LowerClientHeightLeavesTheListHeightAlone) {
    const ListSize previous{twips(5000), twips(1234)};
    const ListSize list = listSizeFor(twips(8000), twips(600), frameHeight, previous);
    EXPECT_EQ(list.height, twips(1234));
    EXPECT_EQ(list.width, twips(7835));  // the width step still runs
    EXPECT_EQ(listSizeFor(twips(8000), twips(0), frameHeight, previous).height, twips(1234));
}

TEST(Layout, NarrowWindowLeavesTheListWidthAlone) {
    const ListSize previous{twips(5000), twips(1234)};
    EXPECT_EQ(listSizeFor(twips(165), twips(4500), frameHeight, previous).width, twips(0));
    const ListSize list = listSizeFor(twips(150), twips(4500), frameHeight, previous);
    EXPECT_EQ(list.width, twips(5000));
    EXPECT_EQ(list.height, twips(3885));
}

TEST(Layout, NarrowPanelPutsTheCloseButtonPastItsLeftEdge) {
    const PanelPlacement panel = panelPlacementFor(twips(100), twips(1000), closeWidth);
    EXPECT_EQ(panel.closeLeft, halfTwips(-875));
}

TEST(Twips, FifteenToAPixelAt96Dpi) {
    EXPECT_EQ(twipsToPixels(twips(12540), 96), 836);
    EXPECT_EQ(twipsToPixels(twips(4500), 96), 300);
    EXPECT_EQ(twipsToPixels(twips(3885), 96), 259);
    EXPECT_EQ(twipsToPixels(halfTwips(10665), 96), 356);  // 355.5 rounds up
    EXPECT_EQ(twipsToPixels(twips(7), 96), 0);            // 0.47 rounds down
    EXPECT_EQ(pixelsToTwips(259, 96), twips(3885));
}

TEST(Twips, TwelveToAPixelAt120Dpi) {
    EXPECT_EQ(twipsToPixels(twips(12540), 120), 1045);
    EXPECT_EQ(twipsToPixels(halfTwips(10665), 120), 444);  // 444.375 rounds down
    EXPECT_EQ(twipsToPixels(twips(3894), 120), 325);       // 324.5 rounds up
    EXPECT_EQ(twipsToPixels(twips(-6), 120), -1);          // -0.5 too
    EXPECT_EQ(pixelsToTwips(80, 120), twips(960));
}

TEST(Twips, TenToAPixelAt144Dpi) {
    EXPECT_EQ(twipsToPixels(twips(12540), 144), 1254);
    EXPECT_EQ(twipsToPixels(halfTwips(10665), 144), 533);
    EXPECT_EQ(twipsToPixels(twips(3885), 144), 389);  // 388.5 rounds up
    EXPECT_EQ(pixelsToTwips(80, 144), twips(800));
}

TEST(Twips, NegativeValuesRoundAwayFromZero) {
    EXPECT_EQ(twipsToPixels(halfTwips(-875), 96), -29);
    EXPECT_EQ(twipsToPixels(halfTwips(-15), 96), -1);
    EXPECT_EQ(twipsToPixels(twips(-7), 96), 0);  // -0.47 rounds to zero
}

// 7.5 twips to a pixel: centring halves an odd pixel count's half twip.
TEST(Twips, SevenAndAHalfToAPixelAt192Dpi) {
    EXPECT_EQ(pixelsToTwips(837, 192), halfTwips(12555));
    const PanelPlacement panel = panelPlacementFor(0, pixelsToTwips(837, 192), closeWidth);
    EXPECT_EQ(twipsToPixels(panel.closeLeft, 192), 294);  // 293.5 rounds up
}

}  // namespace
