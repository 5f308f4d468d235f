#include "e2e/harness/clipboard.h"

#include <cstring>

#include "e2e/harness/waiting.h"

namespace e2e {

namespace {

// Holds the clipboard open while it lives.
class OpenClipboardScope {
public:
    explicit OpenClipboardScope(HWND owner) {
        // Another process (the program copying) may have it open right now.
        open_ = waitUntil([owner] { return OpenClipboard(owner) != FALSE; });
    }
    ~OpenClipboardScope() {
        if (open_) {
            CloseClipboard();
        }
    }
    OpenClipboardScope(const OpenClipboardScope&) = delete;
    OpenClipboardScope& operator=(const OpenClipboardScope&) = delete;
    bool isOpen() const { return open_; }

private:
    bool open_ = false;
};

HGLOBAL copyToGlobal(const std::string& text) {
    const HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
    if (block == nullptr) {
        return nullptr;
    }
    void* bytes = GlobalLock(block);
    if (bytes == nullptr) {
        GlobalFree(block);
        return nullptr;
    }
    std::memcpy(bytes, text.c_str(), text.size() + 1);
    GlobalUnlock(block);
    return block;
}

bool setData(UINT format, const std::string& text) {
    const HGLOBAL block = copyToGlobal(text);
    if (block == nullptr) {
        return false;
    }
    if (SetClipboardData(format, block) == nullptr) {
        GlobalFree(block);
        return false;
    }
    return true;  // the clipboard owns the block now
}

// The CF_TEXT of the clipboard, which this thread holds open.
bool textOfOpenClipboard(std::string& text) {
    const HANDLE data = GetClipboardData(CF_TEXT);
    if (data == nullptr) {
        return false;
    }
    const char* bytes = static_cast<const char*>(GlobalLock(data));
    if (bytes == nullptr) {
        return false;
    }
    const SIZE_T size = GlobalSize(data);
    text.assign(bytes, strnlen(bytes, size));
    GlobalUnlock(data);
    return true;
}

}  // namespace

bool putOnClipboard(HWND owner, const std::string& text, UINT extraFormat) {
    OpenClipboardScope clipboard(owner);
    if (!clipboard.isOpen() || !EmptyClipboard()) {
        return false;
    }
    return setData(CF_TEXT, text) && (extraFormat == 0 || setData(extraFormat, text));
}

bool readClipboardText(HWND owner, std::string& text) {
    OpenClipboardScope clipboard(owner);
    return clipboard.isOpen() && textOfOpenClipboard(text);
}

bool readClipboardUnicode(HWND owner, std::wstring& text) {
    OpenClipboardScope clipboard(owner);
    const HANDLE data = clipboard.isOpen() ? GetClipboardData(CF_UNICODETEXT) : nullptr;
    const auto* units = data != nullptr ? static_cast<const wchar_t*>(GlobalLock(data)) : nullptr;
    if (units == nullptr) {
        return false;
    }
    const std::size_t size = GlobalSize(data) / sizeof(wchar_t);
    std::size_t length = 0;
    while (length < size && units[length] != L'\0') {
        ++length;
    }
    text.assign(units, length);
    GlobalUnlock(data);
    return true;
}

bool clipboardOffers(UINT format) {
    return IsClipboardFormatAvailable(format) != FALSE;
}

HeldClipboard::HeldClipboard(HWND owner, const std::string& text) {
    open_ = OpenClipboard(owner) != FALSE;
    holding_ = open_ && EmptyClipboard() && setData(CF_TEXT, text);
}

HeldClipboard::~HeldClipboard() {
    if (open_) {
        CloseClipboard();
    }
}

std::string HeldClipboard::text() const {
    std::string text;
    return textOfOpenClipboard(text) ? text : "(no text)";
}

}  // namespace e2e
