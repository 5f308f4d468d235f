#include "main_window/logLine.h"

std::string formatDecimal(std::int64_t value) {
    // Built by hand: the runtime's printf differs between the Windows
    // versions this program runs on, and this needs no locale.
    char digits[24];
    int n = 0;
    std::uint64_t magnitude = value < 0 ? 0 - static_cast<std::uint64_t>(value)
                                        : static_cast<std::uint64_t>(value);
    do {
        digits[n++] = static_cast<char>('0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0);
    std::string text;
    text.reserve(static_cast<std::size_t>(n) + 1);
    if (value < 0) {
        text += '-';
    }
    while (n > 0) {
        text += digits[--n];
    }
    return text;
}

std::string formatHex(std::uint32_t value) {
    static const char hexDigits[] = "0123456789ABCDEF";
    char digits[8];
    int n = 0;
    do {
        digits[n++] = hexDigits[value & 0xF];
        value >>= 4;
    } while (value != 0);
    std::string text;
    while (n > 0) {
        text += digits[--n];
    }
    return text;
}

std::int64_t widthOf(const ForegroundFacts& facts) {
    return static_cast<std::int64_t>(facts.right) - facts.left;
}

std::int64_t heightOf(const ForegroundFacts& facts) {
    return static_cast<std::int64_t>(facts.bottom) - facts.top;
}

namespace {

// The position field's value: left, top, width and height.
std::string positionText(const ForegroundFacts& facts) {
    return formatDecimal(facts.left) + ',' + formatDecimal(facts.top) + ',' + formatDecimal(widthOf(facts)) + ',' +
           formatDecimal(heightOf(facts));
}

}  // namespace

std::string buildLogLine(const ForegroundFacts& facts) {
    std::string line;
    line.reserve(96 + facts.title.size() + facts.className.size() + facts.exePath.size());
    line += "title='";
    line += facts.title;
    line += "'  cls='";
    line += facts.className;
    line += "'  vis=";
    line += facts.visible != 0 ? "yes" : "no";
    line += "  pos=";
    line += positionText(facts);
    line += "  exe='";
    line += facts.exePath;
    line += "'  pid=";
    line += formatDecimal(static_cast<std::int32_t>(facts.pid));
    line += "  style=";
    line += formatHex(facts.style);
    line += "  iconic=";
    line += formatDecimal(facts.iconic);
    return line;
}
