#include "main_window/visibleText.h"

namespace {

bool isControl(unsigned char c) {
    return c < 0x20 || c == 0x7F;
}

}  // namespace

std::string withVisibleControls(const std::string& text, bool unicodeText) {
    std::string shown;
    shown.reserve(text.size());
    // Control characters are single bytes in UTF-8 and in every ANSI code
    // page, never part of a longer character.
    for (const char byte : text) {
        const auto c = static_cast<unsigned char>(byte);
        if (!isControl(c)) {
            shown += byte;
        } else if (unicodeText) {
            const unsigned picture = c == 0x7F ? 0x2421 : 0x2400 + c;  // three bytes in UTF-8
            shown += static_cast<char>(0xE0 | (picture >> 12));
            shown += static_cast<char>(0x80 | ((picture >> 6) & 0x3F));
            shown += static_cast<char>(0x80 | (picture & 0x3F));
        } else {
            shown += '^';
            shown += static_cast<char>(c == 0x7F ? '?' : c + 0x40);
        }
    }
    return shown;
}
