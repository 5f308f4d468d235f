#include "main_window/layout.h"

#include <gtest/gtest.h>

namespace {

constexpr float frameHeight = 795.0f;
constexpr float closeWidth = 1875.0f;
const ListSize created{12435.0f, 3570.0f};

TEST(Layout, CreationSizeGivesTheListAndPanelPositions) {
    // Client area 12540 x 4500 twips; the outer width adds the border.
    const ListSize list = listSizeFor(12600.0f, 4500.0f, frameHeight, created);
    EXPECT_FLOAT_EQ(list.height, 3885.0f);
    EXPECT_FLOAT_EQ(list.width, 12435.0f);

    const PanelPlacement panel = panelPlacementFor(list.height, 12540.0f, closeWidth);
    EXPECT_FLOAT_EQ(panel.frameTop, 3915.0f);
    EXPECT_FLOAT_EQ(panel.frameWidth, 12540.0f);
    EXPECT_FLOAT_EQ(panel.closeLeft, 5332.5f);
}

TEST(Layout, PanelFollowsTheHeightTheListReallyHas) {
    // The list box shortened 3885 to whole lines, say 3795.
    const PanelPlacement panel = panelPlacementFor(3795.0f, 12540.0f, closeWidth);
    EXPECT_FLOAT_EQ(panel.frameTop, 3825.0f);
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
    const ListSize list = listSizeFor(12600.0f, 615.0f, frameHeight, created);
    EXPECT_FLOAT_EQ(list.height, 0.0f);
}

TEST(Layout, LowerClientHeightLeavesTheListHeightAlone) {
    const ListSize previous{5000.0f, 1234.0f};
    const ListSize list = listSizeFor(8000.0f, 600.0f, frameHeight, previous);
    EXPECT_FLOAT_EQ(list.height, 1234.0f);
    EXPECT_FLOAT_EQ(list.width, 7835.0f);  // the width step still runs
    EXPECT_FLOAT_EQ(listSizeFor(8000.0f, 0.0f, frameHeight, previous).height, 1234.0f);
}

TEST(Layout, NarrowWindowLeavesTheListWidthAlone) {
    const ListSize previous{5000.0f, 1234.0f};
    EXPECT_FLOAT_EQ(listSizeFor(165.0f, 4500.0f, frameHeight, previous).width, 0.0f);
    const ListSize list = listSizeFor(150.0f, 4500.0f, frameHeight, previous);
    EXPECT_FLOAT_EQ(list.width, 5000.0f);
    EXPECT_FLOAT_EQ(list.height, 3885.0f);
}

TEST(Layout, NarrowPanelPutsTheCloseButtonPastItsLeftEdge) {
    const PanelPlacement panel = panelPlacementFor(100.0f, 1000.0f, closeWidth);
    EXPECT_FLOAT_EQ(panel.closeLeft, -437.5f);
}

TEST(Twips, FifteenToAPixelAt96Dpi) {
    EXPECT_EQ(twipsToPixels(12540.0f, 96), 836);
    EXPECT_EQ(twipsToPixels(4500.0f, 96), 300);
    EXPECT_EQ(twipsToPixels(3885.0f, 96), 259);
    EXPECT_EQ(twipsToPixels(5332.5f, 96), 356);  // 355.5 rounds up
    EXPECT_EQ(twipsToPixels(7.0f, 96), 0);       // 0.47 rounds down
    EXPECT_FLOAT_EQ(pixelsToTwips(259, 96), 3885.0f);
}

TEST(Twips, TenToAPixelAt144Dpi) {
    EXPECT_EQ(twipsToPixels(12540.0f, 144), 1254);
    EXPECT_EQ(twipsToPixels(5332.5f, 144), 533);
    EXPECT_EQ(twipsToPixels(3885.0f, 144), 389);  // 388.5 rounds up
    EXPECT_FLOAT_EQ(pixelsToTwips(80, 144), 800.0f);
}

TEST(Twips, NegativeValuesRoundAwayFromZero) {
    EXPECT_EQ(twipsToPixels(-437.5f, 96), -29);
    EXPECT_EQ(twipsToPixels(-7.5f, 96), -1);
    EXPECT_EQ(twipsToPixels(-7.0f, 96), 0);  // -0.47 rounds to zero
}

}  // namespace
