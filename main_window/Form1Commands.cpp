// The user's commands: TopMost, Clear, Copy, the list's context menu and the
// Suspects window.
#include "main_window/Form1.h"

#include "main_window/listMenu.h"
#include "support/boundOnFirstUse.h"
#include "support/clipboardText.h"

void Form1::topMostCommand() {
    const bool ticked = SendMessageA(chkTopMost, BM_GETCHECK, 0, 0) != BST_UNCHECKED;
    bound::SetWindowPos(hwnd_, ticked ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                        SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE);
}

void Form1::clearCommand() {
    List1.clear();
}

// The selected line goes onto the clipboard as it is shown. Another program
// may hold the clipboard; the copy is then skipped and the clipboard keeps
// what it had. A copy that fails says so with the system's default sound.
void Form1::copyCommand() {
    copied(copyTextToClipboard(hwnd_, List1.selectedLine()));
}

void Form1::copied(bool done) {
    if (!done) {
        MessageBeep(MB_OK);
    }
}

// The menu acts on the line chosen when it opened, also when new lines came
// or old ones went while it was open. The log goes on meanwhile: the menu's
// loop polls (modalLoopPolling.h). A copy of the whole log stops it for as
// long as the copy takes.
void Form1::listMenuCommand(POINT at, const ChosenLine* chosen) {
    ListMenuChoice choice = ListMenuChoice::none;
    {
        const ModalLoopPolling::During polling(modalLoops_);
        choice = trackListMenu(hwnd_, at, chosen != nullptr);
    }
    // The window may have been closed while the menu was open.
    if (hwnd_ == nullptr) {
        return;
    }
    switch (choice) {
    case ListMenuChoice::copy: {
        std::string text;
        if (List1.textOf(*chosen, text)) {
            copied(copyTextToClipboard(hwnd_, text));
        }
        break;
    }
    case ListMenuChoice::copyWithDetails:
        if (List1.holds(*chosen)) {
            copied(copyPiecesToClipboard(hwnd_, [&](const TakePiece& take) { List1.tableOf(*chosen, take); }));
        }
        break;
    case ListMenuChoice::copyAllWithDetails:
        copied(copyPiecesToClipboard(hwnd_, [this](const TakePiece& take) { List1.tableOfAll(take); }));
        break;
    case ListMenuChoice::clear:
        clearCommand();
        break;
    case ListMenuChoice::suspects:
        suspectsCommand();
        break;
    case ListMenuChoice::none:
        break;
    }
}

void Form1::suspectsCommand() {
    SuspectsWindow::Log log;
    log.book = [this]() -> const LogBook& { return List1.book(); };
    log.selectLine = [this](std::uint32_t serial) { List1.selectLine(serial); };
    suspects_.open(hwnd_, modalLoops_, std::move(log));
}
