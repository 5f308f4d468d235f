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

// A buffer of `length` blanks, ready to be handed to an "A" function that
// fills a caller-supplied text buffer.
std::string blankBuffer(std::size_t length);

// The class-name buffer shared by the window filters. Its content between
// calls means nothing; every user overwrites it before reading.
constexpr std::size_t sharedTextBufferLength = 260;
extern char sharedTextBuffer[sharedTextBufferLength];

// Copies one file, replacing an existing destination. True only when the copy
// completed; any failure gives false.
bool tryFileCopy(const std::string& sourcePath, const std::string& destinationPath);
