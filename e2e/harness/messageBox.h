// The message boxes of another process, as a user sees them: found by their
// caption, read (text, buttons, icon, owner) and answered by pressing a
// button.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "e2e/harness/waiting.h"

namespace e2e {

struct MessageBoxView {
    HWND owner = nullptr;
    std::string caption;
    std::string text;
    // The ids of the buttons that are shown (IDOK, IDCANCEL, IDYES, IDNO, ...),
    // smallest first.
    std::vector<int> buttons;
    // Whether an icon is shown beside the text.
    bool hasIcon = false;
};

// Every visible dialog-class ("#32770") window of process `pid`.
std::vector<HWND> dialogsOf(DWORD pid);

// The visible message box of process `pid` with caption `caption`, or null.
HWND findMessageBox(DWORD pid, const std::string& caption);

// Pumps until process `pid` shows a message box with caption `caption`;
// null when none comes in time.
HWND waitForMessageBox(DWORD pid, const std::string& caption, DWORD timeoutMs = defaultTimeoutMs);

// Reads what the box shows. False when the box does not answer.
bool readMessageBox(HWND box, MessageBoxView& view);

// Presses the box's button `id` as a mouse click would, and waits until the
// box has handled it. False when there is no such button or it does not
// answer.
bool pressMessageBoxButton(HWND box, int id);

// "IDYES, IDNO" and the like, for failure messages.
std::string buttonNames(const std::vector<int>& buttons);

}  // namespace e2e
