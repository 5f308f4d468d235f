// Values as the table and the tooltip show them. A caption or a command line
// may hold a NUL, a tab, a line break or any other control character: a NUL
// would end the text on the clipboard there, and the others would break the
// table's rows and columns. Each is shown by a visible stand-in instead. Pure.
#pragma once

#include <string>

// `text` with every control character (0 to 31, and 127) replaced: in
// Unicode text (`unicodeText`, the NT family) by its picture, U+2400 to
// U+241F and U+2421 ("␀", "␉", "␊"); in the 95 family's ANSI text, whose code
// pages have no such pictures, by caret notation ("^@", "^I", "^J", "^?").
std::string withVisibleControls(const std::string& text, bool unicodeText);
