// Putting text on the clipboard.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

// Text handed over piece by piece: a TextPieces calls `take` with each piece
// of the text, in order, and does the same each time it is called. The text
// is asked for twice, once to measure it and once to write it straight into
// the clipboard's memory, so that a long table is never held whole beside
// the clipboard's copies.
using TakePiece = std::function<void(const std::string& piece)>;
using TextPieces = std::function<void(const TakePiece& take)>;

// Puts the text (the program's text, systemText.h) on the clipboard, for
// `owner`: on the NT family as Unicode and, for programs that paste ANSI, in
// the system's code page too; on the 95 family as it is. Whatever the
// clipboard held before is gone. While another program holds the clipboard
// open, or when memory runs short, the clipboard is left as it was: false.
// False too when the clipboard, once emptied, refuses the text.
bool copyPiecesToClipboard(HWND owner, const TextPieces& pieces);
bool copyTextToClipboard(HWND owner, const std::string& text);
