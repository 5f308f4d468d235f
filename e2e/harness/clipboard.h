// The clipboard as the test sees it.
#pragma once

#include <windows.h>

#include <string>

namespace e2e {

// Empties the clipboard and puts `text` on it as CF_TEXT, and the same bytes
// in `extraFormat` when that is not 0. `owner` becomes the clipboard owner.
bool putOnClipboard(HWND owner, const std::string& text, UINT extraFormat = 0);

// The CF_TEXT on the clipboard, up to its terminating NUL. Waits while
// another process holds the clipboard open. False when there is none.
bool readClipboardText(HWND owner, std::string& text);

// Whether the clipboard offers `format` (without opening it).
bool clipboardOffers(UINT format);

}  // namespace e2e
