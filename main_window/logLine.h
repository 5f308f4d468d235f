// The log line: one line per change of the foreground window, eight labelled
// fields in a fixed order. Values are written as they are, nothing escaped.
#pragma once

#include <cstdint>
#include <string>

struct ForegroundFacts {
    std::string title;       // caption
    std::string className;   // window class
    int visible = 0;         // IsWindowVisible's answer: "yes" when not 0
    std::int32_t left = 0;   // window rectangle, screen coordinates
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;
    std::string exePath;     // executable of the owning process, or empty
    std::uint32_t pid = 0;   // shown as a signed number
    std::uint32_t style = 0; // shown in hexadecimal
    std::int32_t iconic = 0; // IsIconic's result
};

// A signed decimal: "-4", "0", "312".
std::string formatDecimal(std::int64_t value);

// Upper-case hexadecimal of the unsigned 32-bit value, no prefix, no leading
// zeros: "0", "14CF0000", "B0C80000".
std::string formatHex(std::uint32_t value);

// The window's width and height, taken in 64 bits, so that no rectangle can
// overflow the subtraction.
std::int64_t widthOf(const ForegroundFacts& facts);
std::int64_t heightOf(const ForegroundFacts& facts);

// title='..'  cls='..'  vis=..  pos=l,t,w,h  exe='..'  pid=..  style=..  iconic=..
std::string buildLogLine(const ForegroundFacts& facts);
