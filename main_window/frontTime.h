// When a line's window came to the front and how long it stayed there, as
// the tooltip over the line tells it. Pure: the window code reads the clocks.
#pragma once

#include <cstdint>
#include <string>

struct FrontTime {
    std::uint32_t timeOfDayMs = 0;  // local time of the change, milliseconds since midnight
    std::uint32_t stampMs = 0;      // a millisecond counter at the change (timeGetTime)
};

// Milliseconds since midnight.
std::uint32_t timeOfDayMs(unsigned hour, unsigned minute, unsigned second, unsigned millisecond);

// Milliseconds from `from` to `to` on a 32-bit millisecond counter, which
// wraps every 49.7 days: a later stamp may be the smaller number.
std::uint32_t heldMs(std::uint32_t from, std::uint32_t to);

// "HH:MM:SS.mmm, in front for N ms", or "HH:MM:SS.mmm, still in front" for
// the window that is in front now.
std::string describeFrontTime(std::uint32_t timeOfDayMs, bool stillInFront, std::uint32_t heldMs);
