#include "main_window/tipText.h"

#include "main_window/visibleText.h"

namespace {

bool continuesCharacter(char byte) {
    return (static_cast<unsigned char>(byte) & 0xC0) == 0x80;
}

// The byte after the character that starts at `at`.
std::size_t characterEnd(const std::string& text, std::size_t at) {
    ++at;
    while (at < text.size() && continuesCharacter(text[at])) {
        ++at;
    }
    return at;
}

std::size_t unitsOfCharacterAt(const std::string& text, std::size_t at) {
    return static_cast<unsigned char>(text[at]) >= 0xF0 ? 2 : 1;
}

// The longest start of `text` that takes at most `units`.
std::string cutToUnits(const std::string& text, std::size_t units) {
    std::size_t used = 0;
    std::size_t at = 0;
    while (at < text.size() && used + unitsOfCharacterAt(text, at) <= units) {
        used += unitsOfCharacterAt(text, at);
        at = characterEnd(text, at);
    }
    return text.substr(0, at);
}

std::string pidText(DWORD pid) {
    return "(pid " + formatDecimal(static_cast<std::int32_t>(pid)) + ")";
}

std::string named(const std::string& exe, DWORD pid) {
    return exe.empty() ? pidText(pid) : exe + " " + pidText(pid);
}

}  // namespace

std::size_t utf16Units(const std::string& text) {
    std::size_t units = 0;
    for (std::size_t at = 0; at < text.size(); at = characterEnd(text, at)) {
        units += unitsOfCharacterAt(text, at);
    }
    return units;
}

std::string wrapText(const std::string& text, std::size_t columns) {
    std::string wrapped;
    std::size_t lineStart = 0;
    while (lineStart < text.size()) {
        // The line's characters, and the last blank in its second half.
        std::size_t at = lineStart;
        std::size_t count = 0;
        std::size_t afterBlank = 0;
        while (at < text.size() && count < columns) {
            if (text[at] == ' ' && count >= columns / 2) {
                afterBlank = at + 1;
            }
            at = characterEnd(text, at);
            ++count;
        }
        const std::size_t lineEnd = at < text.size() && afterBlank != 0 ? afterBlank : at;
        if (!wrapped.empty()) {
            wrapped += "\r\n";
        }
        wrapped += text.substr(lineStart, lineEnd - lineStart);
        lineStart = lineEnd;
    }
    return wrapped;
}

std::string tipText(const LogBook& book, int index, bool manyLines, bool unicodeText) {
    if (index < 0 || index >= book.lines()) {
        return std::string();
    }
    const LineRecord& record = book.at(index);
    std::string tip = describeFrontTime(record.front, book.isNewest(index), book.heldMsOf(index));
    if (!manyLines) {
        return tip;
    }
    const auto shown = [unicodeText](const std::string& value) { return withVisibleControls(value, unicodeText); };
    std::string why = causeText(record.cause);
    if (book.gaveBackOf(index) == LogBook::GaveBack::yes) {
        why += (why.empty() ? "" : ", then ") + std::string("gave the front back to ") +
               shown(book.at(book.nextWindowAfter(index)).facts.title);
    }
    if (!why.empty()) {
        tip += "\r\n" + why;
    }
    // A frame whose app has not arrived in it is named as itself.
    if (record.frame.pid != 0 && record.frame.pid != record.facts.pid) {
        tip += "\r\nin the frame of " + named(shown(record.frame.exe), record.frame.pid);
    }
    if (record.details.parentPid != 0) {
        tip += "\r\nstarted by " + named(shown(record.details.parentExe), record.details.parentPid);
    }
    if (!record.details.commandLine.empty()) {
        const std::string commandLine = "\r\n" + wrapText(shown(record.details.commandLine), tipColumns);
        const std::size_t used = utf16Units(tip);
        const std::size_t room = used < longestTip ? longestTip - used : 0;
        if (utf16Units(commandLine) <= room) {
            tip += commandLine;
        } else if (room > 3) {
            tip += cutToUnits(commandLine, room - 3) + "...";
        }
    }
    return cutToUnits(tip, longestTip);
}
