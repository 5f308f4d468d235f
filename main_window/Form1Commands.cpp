// The user's commands: TopMost, Clear, Copy, and the list's context menu.
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
// what it had.
void Form1::copyCommand() {
    copyTextToClipboard(hwnd_, List1.selectedLine());
}

// The menu acts on the line chosen when it opened, also when new lines came
// or old ones went while it was open. The log goes on meanwhile: the menu's
// loop polls (modalLoopPolling.h). A copy of the whole log stops it for as
// long as the copy takes.
void Form1::listMenuCommand(POINT at) {
    std::uint64_t chosen = 0;
    const bool lineChosen = List1.selectedNumber(chosen);
    ListMenuChoice choice = ListMenuChoice::none;
    {
        const ModalLoopPolling::During polling(modalLoops_);
        choice = trackListMenu(hwnd_, at, lineChosen);
    }
    // The window may have been closed while the menu was open.
    if (hwnd_ == nullptr) {
        return;
    }
    const int line = lineChosen ? List1.indexOfNumber(chosen) : -1;
    switch (choice) {
    case ListMenuChoice::copy:
        if (line >= 0) {
            copyTextToClipboard(hwnd_, List1.lineText(line));
        }
        break;
    case ListMenuChoice::copyWithDetails:
        if (line >= 0) {
            copyTextToClipboard(hwnd_, List1.detailsTable(line, line));
        }
        break;
    case ListMenuChoice::copyAllWithDetails:
        copyTextToClipboard(hwnd_, List1.detailsTable(0, List1.count() - 1));
        break;
    case ListMenuChoice::clear:
        clearCommand();
        break;
    case ListMenuChoice::none:
        break;
    }
}
