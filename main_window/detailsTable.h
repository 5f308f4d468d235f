// The log as a table for a spreadsheet or a bug report: tab-separated text,
// one row per line under a header row, each row ending in CR LF. Every value
// arrives in a spreadsheet as it was: the position as four numbers, the style
// as hexadecimal text with its 0x, and texts that other programs chose kept
// from becoming numbers, dates or formulas. Pure.
#pragma once

#include <string>

#include "main_window/logBook.h"

// A header row of `count` column names, tab-separated, ending in CR LF.
std::string headerRow(const char* const* names, int count);

// The header row: time, held ms, the line's fields (the position as left,
// top, width and height), the parent's id and executable, both command
// lines, a Store app's frame host, and why the window came to the front:
// its cause, the time since the user's last input, and whether it gave the
// front back.
std::string detailsHeader();

// The row of record `index` of `book`. `unicodeText`: the program's text is
// Unicode (the NT family), for the stand-ins of control characters.
std::string detailsRow(const LogBook& book, int index, bool unicodeText);

// The row of a line the book does not know (another program put it into the
// list): its text, `listText`, as the title, and nothing else.
std::string foreignRow(const std::string& listText, bool unicodeText);

// A text that another program chose (a caption, a class, a path, a command
// line) as a field of the table. A thief chooses its own caption, and it
// must not become a formula in the hunter's spreadsheet, nor a number or a
// date: a value whose first character that is not a blank, tab or line break
// is =, +, -, @, an apostrophe or a digit gets a leading apostrophe, which
// spreadsheets take as "text" and do not show. Control characters get visible
// stand-ins (visibleText.h), so no value can end the text or break a row. A
// value holding a double quote is put in double quotes, each one doubled.
std::string textField(const std::string& value, bool unicodeText);
