// Small text helpers shared by the window and the inventory.
//
// Text in this program is UTF-8 on the NT family and the system's ANSI bytes
// on the 95 family (systemText.h). Blank (0x20) and NUL never occur inside a
// UTF-8 sequence or as the trail byte of a double-byte character, so
// byte-wise trimming is safe in both.
#pragma once

#include <string>

// Removes blanks (0x20 only) from both ends, then cuts at the first NUL.
// Tabs and other white space stay.
std::string nTrim(const std::string& text);

// Drops one trailing backslash, except from a drive root such as "C:\".
std::string stripTrailingBackslash(const std::string& path);

// The most characters of a caption the program keeps; the rest of a longer
// one is left out, so that no single line can outgrow the log.
constexpr int longestKeptText = 65535;

// A text length the system reported, as much of it as the program reads:
// none for a failed call (below 0), at most longestKeptText.
int keptTextLength(int reportedLength);

// A buffer of `length` blanks, ready to be handed to an "A" function that
// fills a caller-supplied text buffer.
std::string blankBuffer(std::size_t length);

// Copies one file, replacing an existing destination. True only when the copy
// completed; any failure gives false.
bool tryFileCopy(const std::string& sourcePath, const std::string& destinationPath);
