// What the tooltip over a line of the log says. Pure.
#pragma once

#include <cstddef>
#include <string>

#include "main_window/logBook.h"

// Wine's tooltip keeps no more than 1,023 characters (UTF-16 units) of a tip.
constexpr std::size_t longestTip = 1023;
// The command line is broken into lines of this many characters.
constexpr std::size_t tipColumns = 80;

// For line `index` of `book`: when its window came to the front and how long
// it stayed. Where the tooltip shows more than one line (`manyLines`), also
// why it came (changeCause.h) and whether it gave the front back, the frame
// host of a Store app, the process that started the window's
// process and its command line, broken into lines and cut with "..." so
// that the whole tip stays within longestTip. Control characters in those
// values show as stand-ins (visibleText.h; `unicodeText`: the NT family).
std::string tipText(const LogBook& book, int index, bool manyLines, bool unicodeText);

// `text` broken into lines of at most `columns` characters, each break (CR LF)
// after the last blank of a line where there is one in its second half, else
// straight after the line's last character.
std::string wrapText(const std::string& text, std::size_t columns);

// The characters of `text` in UTF-16 units: a character beyond U+FFFF takes
// two. Bytes of any other text count one each.
std::size_t utf16Units(const std::string& text);
