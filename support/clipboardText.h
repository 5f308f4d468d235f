// Putting text on the clipboard.
#pragma once

#include <windows.h>

#include <string>

// Puts `text` (the program's text, systemText.h) on the clipboard, for
// `owner`: on the NT family as Unicode and, for programs that paste ANSI, in
// the system's code page too; on the 95 family as it is. Whatever the
// clipboard held before is gone. While another program holds the clipboard
// open, or when memory runs short, nothing changes: false.
bool copyTextToClipboard(HWND owner, const std::string& text);
