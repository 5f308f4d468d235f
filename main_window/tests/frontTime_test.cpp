#include "main_window/frontTime.h"

#include <gtest/gtest.h>

namespace {

TEST(FrontTime, TheTooltipTellsTheDateTimeAndTheHold) {
    struct Case {
        std::uint32_t date;
        std::uint32_t timeOfDay;
        bool stillInFront;
        std::uint32_t held;
        const char* text;
    };
    const Case cases[] = {
        {dateOf(2026, 1, 2), timeOfDayMs(0, 0, 0, 0), false, 0, "2026-01-02 00:00:00.000, in front for 0 ms"},
        {dateOf(1998, 6, 25), timeOfDayMs(9, 5, 7, 42), false, 999, "1998-06-25 09:05:07.042, in front for 999 ms"},
        {dateOf(2026, 12, 7), timeOfDayMs(13, 0, 0, 5), false, timeOfDayMs(1, 2, 3, 4),
         "2026-12-07 13:00:00.005, in front for 3723004 ms"},
        {dateOf(2026, 12, 31), timeOfDayMs(23, 59, 59, 999), true, 0, "2026-12-31 23:59:59.999, still in front"},
        {dateOf(2027, 3, 1), timeOfDayMs(14, 30, 0, 0), true, 12345, "2027-03-01 14:30:00.000, still in front"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(describeFrontTime({c.date, c.timeOfDay, 0}, c.stillInFront, c.held), c.text);
    }
}

TEST(FrontTime, TheHoldSurvivesTheCounterWrapping) {
    EXPECT_EQ(heldMs(1000, 1300), 300u);
    EXPECT_EQ(heldMs(0xFFFFFF00u, 0x00000100u), 0x200u);
    EXPECT_EQ(heldMs(0xFFFFFFFFu, 0), 1u);
    EXPECT_EQ(heldMs(7, 7), 0u);
}

}  // namespace
