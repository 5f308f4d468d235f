// Why a window came to the front, as far as input and window state tell:
// the user switched to it, the system passed the front on when the window
// before it went away, or it took the front by itself, which is what a focus
// thief does. A guess, not a proof: the system does not say who asked for a
// change. Pure: the window code gathers the clues (inputWatch.h).
#pragma once

#include <cstdint>
#include <string>

enum class Cause {
    none,      // no window came to the front: a moment with none
    you,       // a switching key, or a click outside the window in front
    handOver,  // the window before it went away, was hidden or minimised
    byItself,  // neither
    unknown,   // input was not watched through the second before
};

// What the user did last that switches windows.
enum class Switch { none, click, altTab, altEsc, altF4, windowsKey, escape, enter };

// Input within this time before a change may have caused it.
constexpr std::uint32_t causingInputMs = 1000;

// What is known at a change.
struct CauseClues {
    bool windowCame = true;        // a window came to the front, not a moment with none
    bool watched = false;          // input was watched through the second before the change
    bool windowBefore = false;     // a window was in front before (looking past moments with none)
    bool windowBeforeLeft = false;  // ... and at the change it is gone, hidden or minimised
    Switch lastSwitch = Switch::none;  // a click outside the window in front, or a switching key
    std::uint32_t sinceSwitchMs = 0;   // from it to the change
};

Cause causeOf(const CauseClues& clues);

// The input is looked at about every `lookEveryMs`: every sixteenth pass
// where the polling loop passes each millisecond, and more often where the
// passes come slower, as on a busy machine. Given the passes since the last
// look and the time they took, the passes until the next one.
constexpr std::uint32_t lookEveryMs = 16;
constexpr unsigned mostPassesPerLook = 16;
unsigned passesPerLook(unsigned passes, std::uint32_t elapsedMs);

// What the line keeps of its cause.
struct ChangeCause {
    Cause cause = Cause::none;
    Switch by = Switch::none;       // for `you`: the click or the key
    std::uint32_t sinceSwitchMs = 0;
    std::int64_t sinceInputMs = -1;  // from the user's last input to the change; -1: not known
};

// The cause as the table's column names it: "you", "hand-over", "by itself",
// "unknown"; empty where no window came.
const char* causeName(Cause cause);

// The tooltip's line: "after your click 20 ms before", "after your Alt+Tab 80
// ms before", "the window before it went away", "by itself (your last input
// 40 ms before)", "cause unknown"; empty where no window came.
std::string causeText(const ChangeCause& cause);
