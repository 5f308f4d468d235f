#include "main_window/changeCause.h"

#include <gtest/gtest.h>

namespace {

TEST(ChangeCause, TheUsersSwitchThenTheWindowBeforeThenItself) {
    struct Case {
        const char* name;
        CauseClues clues;
        Cause cause;
    };
    CauseClues ordinary;  // watched, with a window before it that is still there
    ordinary.watched = true;
    ordinary.windowBefore = true;
    const auto with = [&ordinary](void (*change)(CauseClues&)) {
        CauseClues clues = ordinary;
        change(clues);
        return clues;
    };
    const Case cases[] = {
        {"a click outside the window in front",
         with([](CauseClues& c) { c.lastSwitch = Switch::click, c.sinceSwitchMs = 20; }), Cause::you},
        {"a switching key", with([](CauseClues& c) { c.lastSwitch = Switch::altTab, c.sinceSwitchMs = 1000; }),
         Cause::you},
        {"a switch longer ago", with([](CauseClues& c) { c.lastSwitch = Switch::enter, c.sinceSwitchMs = 1001; }),
         Cause::byItself},
        // A click inside the window in front, or letters typed, is no switch.
        {"nothing that switches", ordinary, Cause::byItself},
        {"the window before went away", with([](CauseClues& c) { c.windowBeforeLeft = true; }), Cause::handOver},
        {"a click, and the window before went away",
         with([](CauseClues& c) { c.windowBeforeLeft = true, c.lastSwitch = Switch::click; }), Cause::you},
        {"input not watched", with([](CauseClues& c) { c.watched = false; }), Cause::unknown},
        {"no window before", with([](CauseClues& c) { c.windowBefore = false; }), Cause::unknown},
        {"no window came", with([](CauseClues& c) { c.windowCame = false; }), Cause::none},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(causeOf(c.clues), c.cause) << c.name;
    }
}

TEST(ChangeCause, TheLooksAtTheInputKeepTheirPaceInTime) {
    const struct {
        unsigned passes;
        std::uint32_t elapsedMs;
        unsigned next;
    } cases[] = {
        {16, 16, 16},    // a pass each millisecond
        {16, 0, 16},     // faster than the clock tells
        {16, 128, 2},    // a busy machine: a pass each 8 ms
        {2, 40, 1},      // slower still: each pass looks
        {1, 3000, 1},    // one long pass (the first, or a stop)
        {1, 1, 16},      // back to speed after one
        {16, 1000000000, 1},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(passesPerLook(c.passes, c.elapsedMs), c.next) << c.passes << " passes in " << c.elapsedMs << " ms";
    }
}

TEST(ChangeCause, TheTooltipSaysWhatWasSeen) {
    EXPECT_EQ(causeText({Cause::you, Switch::click, 20, 20}), "after your click 20 ms before");
    EXPECT_EQ(causeText({Cause::you, Switch::altTab, 85, 3}), "after your Alt+Tab 85 ms before");
    EXPECT_EQ(causeText({Cause::byItself, Switch::none, 0, -1}), "by itself");
    EXPECT_EQ(causeText({Cause::none, Switch::none, 0, -1}), "");
}

}  // namespace
