// The log as a table for a spreadsheet or a bug report: tab-separated text,
// one row per line under a header row, each row ending in CR LF. Pure.
#pragma once

#include <string>

#include "main_window/logBook.h"

// The header row: time, held ms, the eight fields of the line, then the
// parent's id and executable and both command lines.
std::string detailsHeader();

// The row of line `index` of `book`. A line the book does not know (added
// to the list by someone else) gives its text as the list holds it,
// `listText`, in the title, and nothing else.
std::string detailsRow(const LogBook& book, int index, const std::string& listText);

// A value as a field of the table. A thief chooses its own caption, and a
// caption must not become a formula in the hunter's spreadsheet: a value
// that begins with =, +, - or @ gets a leading apostrophe, which
// spreadsheets take as "text" (a plain number, such as a negative process
// id, stays a number). A value holding a tab, a line break or a double
// quote is put in double quotes, each double quote doubled.
std::string tableField(const std::string& value);
