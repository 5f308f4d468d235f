#include "main_window/changeCause.h"

#include "main_window/logLine.h"

namespace {

const char* switchName(Switch by) {
    switch (by) {
    case Switch::click:
        return "click";
    case Switch::altTab:
        return "Alt+Tab";
    case Switch::altEsc:
        return "Alt+Esc";
    case Switch::altF4:
        return "Alt+F4";
    case Switch::windowsKey:
        return "Windows key";
    case Switch::escape:
        return "Esc";
    case Switch::enter:
        return "Enter";
    case Switch::none:
        break;
    }
    return "";
}

}  // namespace

Cause causeOf(const CauseClues& clues) {
    if (!clues.windowCame) {
        return Cause::none;
    }
    if (clues.lastSwitch != Switch::none && clues.sinceSwitchMs <= causingInputMs) {
        return Cause::you;
    }
    if (!clues.watched || !clues.windowBefore) {
        return Cause::unknown;
    }
    return clues.windowBeforeLeft ? Cause::handOver : Cause::byItself;
}

unsigned passesPerLook(unsigned passes, std::uint32_t elapsedMs) {
    if (elapsedMs == 0) {
        return mostPassesPerLook;
    }
    const std::uint64_t fit = static_cast<std::uint64_t>(passes) * lookEveryMs / elapsedMs;
    return fit < 1 ? 1 : fit > mostPassesPerLook ? mostPassesPerLook : static_cast<unsigned>(fit);
}

const char* causeName(Cause cause) {
    switch (cause) {
    case Cause::you:
        return "you";
    case Cause::handOver:
        return "hand-over";
    case Cause::byItself:
        return "by itself";
    case Cause::unknown:
        return "unknown";
    case Cause::none:
        break;
    }
    return "";
}

std::string causeText(const ChangeCause& cause) {
    switch (cause.cause) {
    case Cause::you:
        return std::string("after your ") + switchName(cause.by) + " " + formatDecimal(cause.sinceSwitchMs) +
               " ms before";
    case Cause::handOver:
        return "the window before it went away";
    case Cause::byItself:
        return cause.sinceInputMs < 0
                   ? "by itself"
                   : "by itself (your last input " + formatDecimal(cause.sinceInputMs) + " ms before)";
    case Cause::unknown:
        return "cause unknown";
    case Cause::none:
        break;
    }
    return std::string();
}
