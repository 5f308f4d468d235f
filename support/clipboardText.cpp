#include "support/clipboardText.h"

#include <cstring>

#include "support/basOSinfo.h"
#include "support/clipboardHandles.h"
#include "support/systemText.h"

namespace {

constexpr UINT clipboardMemory = GMEM_MOVEABLE | GMEM_DDESHARE;

// Copies `bytes` of `data` into `block`; false when there is no block.
bool fill(GlobalBlock& block, const void* data, std::size_t bytes) {
    void* target = block.get() != nullptr ? GlobalLock(block.get()) : nullptr;
    if (target == nullptr) {
        return false;
    }
    std::memcpy(target, data, bytes);
    GlobalUnlock(block.get());
    return true;
}

// Hands `block` to the open clipboard as `format`, which then owns it.
void hand(GlobalBlock& block, UINT format) {
    if (SetClipboardData(format, block.get()) != nullptr) {
        block.release();
    }
}

}  // namespace

bool copyTextToClipboard(HWND owner, const std::string& text) {
    const std::string ansi = ansiFromText(text);
    OpenClipboardSession clipboard(owner);
    if (!clipboard.isOpen()) {
        return false;
    }
    GlobalBlock ansiBlock(clipboardMemory, ansi.size() + 1);
    if (!fill(ansiBlock, ansi.c_str(), ansi.size() + 1)) {
        return false;
    }
    if (!OSInfo.isNT) {
        EmptyClipboard();
        hand(ansiBlock, CF_TEXT);
        return true;
    }
    const std::wstring wide = wideFromText(text);
    const std::size_t wideBytes = (wide.size() + 1) * sizeof(wchar_t);
    GlobalBlock wideBlock(clipboardMemory, wideBytes);
    if (!fill(wideBlock, wide.c_str(), wideBytes)) {
        return false;
    }
    EmptyClipboard();
    hand(wideBlock, CF_UNICODETEXT);
    hand(ansiBlock, CF_TEXT);
    return true;
}
