#include "main_window/frontTime.h"

#include <gtest/gtest.h>

namespace {

TEST(FrontTime, TheTooltipTellsTheTimeAndTheHold) {
    struct Case {
        std::uint32_t timeOfDay;
        bool stillInFront;
        std::uint32_t held;
        const char* text;
    };
    const Case cases[] = {
        {timeOfDayMs(0, 0, 0, 0), false, 0, "00:00:00.000, in front for 0 ms"},
        {timeOfDayMs(9, 5, 7, 42), false, 999, "09:05:07.042, in front for 999 ms"},
        {timeOfDayMs(13, 0, 0, 5), false, timeOfDayMs(1, 2, 3, 4), "13:00:00.005, in front for 3723004 ms"},
        {timeOfDayMs(23, 59, 59, 999), true, 0, "23:59:59.999, still in front"},
        {timeOfDayMs(14, 30, 0, 0), true, 12345, "14:30:00.000, still in front"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(describeFrontTime(c.timeOfDay, c.stillInFront, c.held), c.text);
    }
}

TEST(FrontTime, TheHoldSurvivesTheCounterWrapping) {
    EXPECT_EQ(heldMs(1000, 1300), 300u);
    EXPECT_EQ(heldMs(0xFFFFFF00u, 0x00000100u), 0x200u);
    EXPECT_EQ(heldMs(0xFFFFFFFFu, 0), 1u);
    EXPECT_EQ(heldMs(7, 7), 0u);
}

}  // namespace
