// The user's commands: TopMost, Clear and Copy.
#include "main_window/Form1.h"

#include <cstring>

#include "support/boundOnFirstUse.h"
#include "support/handles.h"

void Form1::topMostCommand() {
    const bool ticked = SendMessageA(chkTopMost, BM_GETCHECK, 0, 0) != BST_UNCHECKED;
    bound::SetWindowPos(hwnd_, ticked ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                        SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE);
}

void Form1::clearCommand() {
    SendMessageA(List1, LB_RESETCONTENT, 0, 0);
    logBook_.clear();
    widestLinePixels_ = 0;
    SendMessageA(List1, LB_SETHORIZONTALEXTENT, 0, 0);
    layout();  // the horizontal scroll bar is gone: fit the list and the panel again
}

void Form1::copyCommand() {
    std::string text;
    const LRESULT selected = SendMessageA(List1, LB_GETCURSEL, 0, 0);
    if (selected != LB_ERR) {
        const LRESULT length = SendMessageA(List1, LB_GETTEXTLEN, static_cast<WPARAM>(selected), 0);
        if (length != LB_ERR) {
            text.assign(static_cast<std::size_t>(length) + 1, '\0');
            const LRESULT copied = SendMessageA(List1, LB_GETTEXT, static_cast<WPARAM>(selected),
                                                reinterpret_cast<LPARAM>(&text[0]));
            text.resize(copied == LB_ERR ? 0 : static_cast<std::size_t>(copied));
        }
    }

    // Another program may hold the clipboard; the copy is then skipped and
    // the clipboard keeps what it had.
    OpenClipboardSession clipboard(hwnd_);
    if (!clipboard.isOpen()) {
        return;
    }
    GlobalBlock block(GMEM_MOVEABLE | GMEM_DDESHARE, text.size() + 1);
    if (block.get() == nullptr) {
        return;
    }
    void* bytes = GlobalLock(block.get());
    if (bytes == nullptr) {
        return;
    }
    std::memcpy(bytes, text.c_str(), text.size() + 1);
    GlobalUnlock(block.get());
    EmptyClipboard();
    if (SetClipboardData(CF_TEXT, block.get()) != nullptr) {
        block.release();  // the clipboard owns it now
    }
}
