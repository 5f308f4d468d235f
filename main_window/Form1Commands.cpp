// The user's commands: TopMost, Clear and Copy.
#include "main_window/Form1.h"

#include <cstring>

#include "support/basOSinfo.h"
#include "support/boundOnFirstUse.h"
#include "support/clipboardHandles.h"
#include "support/systemText.h"

void Form1::topMostCommand() {
    const bool ticked = SendMessageA(chkTopMost, BM_GETCHECK, 0, 0) != BST_UNCHECKED;
    bound::SetWindowPos(hwnd_, ticked ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                        SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE);
}

void Form1::clearCommand() {
    List1.clear();
}

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

// The selected line goes onto the clipboard as text: on the NT family as
// Unicode and, for programs that paste ANSI, in the system's code page too.
void Form1::copyCommand() {
    const std::string line = List1.selectedLine();
    const std::string ansi = ansiFromText(line);

    // Another program may hold the clipboard; the copy is then skipped and
    // the clipboard keeps what it had. So does it when memory runs short.
    OpenClipboardSession clipboard(hwnd_);
    if (!clipboard.isOpen()) {
        return;
    }
    GlobalBlock ansiBlock(clipboardMemory, ansi.size() + 1);
    if (!fill(ansiBlock, ansi.c_str(), ansi.size() + 1)) {
        return;
    }
    if (!OSInfo.isNT) {
        EmptyClipboard();
        hand(ansiBlock, CF_TEXT);
        return;
    }
    const std::wstring wide = wideFromText(line);
    const std::size_t wideBytes = (wide.size() + 1) * sizeof(wchar_t);
    GlobalBlock wideBlock(clipboardMemory, wideBytes);
    if (!fill(wideBlock, wide.c_str(), wideBytes)) {
        return;
    }
    EmptyClipboard();
    hand(wideBlock, CF_UNICODETEXT);
    hand(ansiBlock, CF_TEXT);
}
