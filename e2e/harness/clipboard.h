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

// The CF_UNICODETEXT on the clipboard, up to its terminating NUL; as
// readClipboardText otherwise.
bool readClipboardUnicode(HWND owner, std::wstring& text);

// Whether the clipboard offers `format` (without opening it).
bool clipboardOffers(UINT format);

// Holds the clipboard open for as long as it lives, with `text` on it as
// CF_TEXT and `owner` as its owner: another program busy with the clipboard.
class HeldClipboard {
public:
    HeldClipboard(HWND owner, const std::string& text);
    ~HeldClipboard();
    HeldClipboard(const HeldClipboard&) = delete;
    HeldClipboard& operator=(const HeldClipboard&) = delete;

    bool holding() const { return holding_; }

    // The CF_TEXT on the clipboard, read while it is held; "(no text)" when
    // there is none.
    std::string text() const;

private:
    bool open_ = false;
    bool holding_ = false;
};

}  // namespace e2e
