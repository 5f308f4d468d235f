#include "main_window/frontTime.h"

#include "main_window/logLine.h"

namespace {

constexpr std::uint32_t msPerDay = 24u * 60u * 60u * 1000u;

// `value` in `width` digits with leading zeros.
std::string padded(std::uint32_t value, std::size_t width) {
    std::string digits = formatDecimal(value);
    if (digits.size() < width) {
        digits.insert(0, width - digits.size(), '0');
    }
    return digits;
}

}  // namespace

std::uint32_t dateOf(unsigned year, unsigned month, unsigned day) {
    return (year * 100u + month) * 100u + day;
}

std::uint32_t timeOfDayMs(unsigned hour, unsigned minute, unsigned second, unsigned millisecond) {
    return ((hour * 60u + minute) * 60u + second) * 1000u + millisecond;
}

std::uint32_t heldMs(std::uint32_t from, std::uint32_t to) {
    return to - from;
}

std::string localTimeText(const FrontTime& front) {
    const std::uint32_t ms = front.timeOfDayMs % msPerDay;
    return padded(front.date / 10000u, 4) + "-" + padded(front.date / 100u % 100u, 2) + "-" +
           padded(front.date % 100u, 2) + " " + padded(ms / 3600000u, 2) + ":" + padded(ms / 60000u % 60u, 2) +
           ":" + padded(ms / 1000u % 60u, 2) + "." + padded(ms % 1000u, 3);
}

std::string describeFrontTime(const FrontTime& front, bool stillInFront, std::uint32_t heldMs) {
    if (stillInFront) {
        return localTimeText(front) + ", still in front";
    }
    return localTimeText(front) + ", in front for " + formatDecimal(heldMs) + " ms";
}
