// When a line's window came to the front and how long it stayed there, as
// the tooltip over the line and the copied table tell it. Pure: the window
// code reads the clocks.
#pragma once

#include <cstdint>
#include <string>

struct FrontTime {
    std::uint32_t date = 0;         // local date of the change, as dateOf() makes it
    std::uint32_t timeOfDayMs = 0;  // local time of the change, milliseconds since midnight
    std::uint32_t stampMs = 0;      // a millisecond counter at the change (timeGetTime)
};

// A date as one number: 2026-12-07 is 20261207.
std::uint32_t dateOf(unsigned year, unsigned month, unsigned day);

// Milliseconds since midnight.
std::uint32_t timeOfDayMs(unsigned hour, unsigned minute, unsigned second, unsigned millisecond);

// Milliseconds from `from` to `to` on a 32-bit millisecond counter, which
// wraps every 49.7 days: a later stamp may be the smaller number.
std::uint32_t heldMs(std::uint32_t from, std::uint32_t to);

// "2026-12-07 14:03:27.512".
std::string localTimeText(const FrontTime& front);

// "2026-12-07 14:03:27.512, in front for N ms", or "..., still in front" for
// the window that is in front now.
std::string describeFrontTime(const FrontTime& front, bool stillInFront, std::uint32_t heldMs);
