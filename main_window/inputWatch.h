// Watching the user's input for the clues to why a window came to the front
// (changeCause.h): a click outside the window in front, or a key that
// switches windows. The key and button states are read in the polling pass,
// about every 16 ms and at every change, while the user's input is recent:
// a person holds a key or a button down longer than that, and a click that
// brings a window to the front is still held when the change is seen. No
// hook: the user's input never waits on the program.
//
// A state may be seen late: Wine hands a program in the background the key
// and button states it read up to 50 ms before. So a click is judged by the
// window that was in front when the button went down, and a click seen only
// after the change it made still explains that change (takeLateClick()).
#pragma once

#include <windows.h>

#include <cstdint>

#include "main_window/changeCause.h"

class InputWatch {
public:
    // Once a pass; `front` is the window last logged in front (looking past
    // moments with none).
    void pass(HWND front);

    // At a change to `came` from `before` (the window last logged in front):
    // a last look, and what it tells. A switch explains one change only.
    CauseClues cluesForChange(HWND came, HWND before);

    // Whether a click seen since the last call brought the window of the
    // last change to the front, though the change was seen first: the
    // change's cause is then `you`.
    bool takeLateClick();

    // From the user's last input (a key, a button, or a move of the mouse)
    // to now, as the system counts it (Windows 2000 and later); -1 where it
    // cannot tell.
    static std::int64_t msSinceInput();

private:
    bool watchedSince(DWORD now);
    void lookIfInputMayHaveCome(HWND front, DWORD now);
    void look(HWND front, DWORD now, bool inStep);
    void buttonWentDown(HWND front, DWORD now);
    void sawSwitch(Switch by, DWORD now);

    // The last change to a window, for a click that is seen after it.
    struct Change {
        HWND came = nullptr;
        HWND before = nullptr;
        DWORD at = 0;  // millisecondClock()
        bool explained = true;
        bool lookEachPass = false;  // for its click, until the click is seen or too late
    };

    unsigned passesPerLook_ = mostPassesPerLook;
    unsigned passesSinceLook_ = 0;
    DWORD lastPacedLook_ = 0;  // millisecondClock()
    bool watching_ = false;
    DWORD lastWatch_ = 0;
    DWORD watchedSince_ = 0;  // the end of the last gap in the watch
    bool held_ = false;       // a button was down, or a switching key pressed, at the last look
    bool buttonDown_[3] = {false, false, false};
    Switch altChord_ = Switch::none;  // Alt+Tab, Alt+Esc or Alt+F4, while Alt is held
    Switch lastSwitch_ = Switch::none;
    DWORD lastSwitchAt_ = 0;
    Change lastChange_;
    bool lateClick_ = false;
};
