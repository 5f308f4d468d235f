#include "main_window/inputWatch.h"

#include "support/boundOnFirstUse.h"
#include "support/millisecondClock.h"

namespace {

constexpr unsigned passesPerLook = 16;
// Looks further apart than this may have missed a key or a click: the
// second before a change is then not watched.
constexpr DWORD longestGapMs = 100;
// How late a state may be seen (Wine's cache of the key states).
constexpr DWORD lateStateMs = 60;
// Input this recent may have pressed a key or a button not seen yet.
constexpr DWORD recentInputMs = 100;

// The system's time of the user's last input, in GetTickCount's counting;
// false where the system does not tell it (before Windows 2000).
bool lastInputTick(DWORD& tick) {
    LASTINPUTINFO last = {};
    last.cbSize = sizeof last;
    if (!bound::GetLastInputInfo.available() || !bound::GetLastInputInfo(&last)) {
        return false;
    }
    tick = last.dwTime;
    return true;
}

bool isDown(int key) {
    return GetAsyncKeyState(key) < 0;
}

// Whether the pointer is over `front`, one of its children or a window it
// owns (a dialog of its own).
bool pointerOver(HWND front) {
    POINT at;
    if (front == nullptr || !GetCursorPos(&at)) {
        return false;
    }
    for (HWND window = WindowFromPoint(at); window != nullptr; window = GetParent(window)) {
        if (window == front) {
            return true;
        }
    }
    return false;
}

}  // namespace

// The keys and buttons are looked at only while the system's last input is
// recent, or something was down at the last look: under Wine each read of a
// key's state also handles the display's events and is dear, and nothing
// changes while nobody touches the keyboard or the mouse. Where the system
// does not tell the last input (before Windows 2000), they are looked at
// each time.
void InputWatch::pass(HWND front) {
    if (++passes_ % passesPerLook == 0) {
        lookIfInputMayHaveCome(front, millisecondClock());
    }
}

void InputWatch::lookIfInputMayHaveCome(HWND front, DWORD now) {
    if (watchedSince(now) && !held_) {
        DWORD input = 0;
        if (lastInputTick(input) && GetTickCount() - input >= recentInputMs) {
            return;
        }
    }
    look(front, now);
}

// Notes one more moment of watching; false when the watch was new or had a
// gap, in which a key or a click may have gone unseen.
bool InputWatch::watchedSince(DWORD now) {
    const bool inStep = watching_ && now - lastWatch_ <= longestGapMs;
    if (!inStep) {
        watchedSince_ = now;
    }
    watching_ = true;
    lastWatch_ = now;
    return inStep;
}

void InputWatch::look(HWND front, DWORD now) {
    watchedSince(now);
    held_ = false;
    static const int buttons[3] = {VK_LBUTTON, VK_RBUTTON, VK_MBUTTON};
    for (int i = 0; i < 3; ++i) {
        const bool down = isDown(buttons[i]);
        if (down && !buttonDown_[i]) {
            buttonWentDown(front, now);
        }
        buttonDown_[i] = down;
        held_ = held_ || down;
    }
    // Alt switches only with Tab, Esc or F4, and the switch comes when Alt
    // is let go: the chord counts for as long as Alt is held.
    if (!isDown(VK_MENU)) {
        altChord_ = Switch::none;
    } else if (isDown(VK_TAB)) {
        altChord_ = Switch::altTab;
    } else if (isDown(VK_ESCAPE)) {
        altChord_ = Switch::altEsc;
    } else if (isDown(VK_F4)) {
        altChord_ = Switch::altF4;
    }
    if (altChord_ != Switch::none) {
        sawSwitch(altChord_, now);
    } else if (isDown(VK_LWIN) || isDown(VK_RWIN)) {
        sawSwitch(Switch::windowsKey, now);
    } else if (isDown(VK_ESCAPE)) {
        sawSwitch(Switch::escape, now);  // Ctrl+Esc too
    } else if (isDown(VK_RETURN)) {
        sawSwitch(Switch::enter, now);
    } else {
        return;
    }
    held_ = true;
}

// A click outside the window that was in front when the button went down
// switches windows. When the last change came after the button went down,
// the window in front then was the one before that change; and if the click
// was on the window that came, the click made that change.
void InputWatch::buttonWentDown(HWND front, DWORD now) {
    DWORD input = 0;
    const bool changeSincePress = lastInputTick(input) && !lastChange_.explained &&
                                  now - lastChange_.at <= lateStateMs &&
                                  static_cast<LONG>(lastChange_.tickAt - input) >= 0;
    if (pointerOver(changeSincePress ? lastChange_.before : front)) {
        return;
    }
    if (changeSincePress && pointerOver(lastChange_.came)) {
        lastChange_.explained = true;
        lateClick_ = true;
        return;
    }
    sawSwitch(Switch::click, now);
}

bool InputWatch::takeLateClick() {
    const bool late = lateClick_;
    lateClick_ = false;
    return late;
}

void InputWatch::sawSwitch(Switch by, DWORD now) {
    lastSwitch_ = by;
    lastSwitchAt_ = now;
}

CauseClues InputWatch::cluesForChange(HWND came, HWND before) {
    const DWORD now = millisecondClock();
    lookIfInputMayHaveCome(before, now);
    CauseClues clues;
    clues.windowCame = came != nullptr;
    clues.watched = now - watchedSince_ >= causingInputMs;
    clues.windowBefore = before != nullptr;
    clues.windowBeforeLeft = before != nullptr && (!IsWindow(before) || !IsWindowVisible(before) || IsIconic(before));
    clues.lastSwitch = lastSwitch_;
    clues.sinceSwitchMs = now - lastSwitchAt_;
    if (clues.windowCame) {
        lastSwitch_ = Switch::none;
        lastChange_ = {came, before, now, GetTickCount(), false};
    }
    return clues;
}

std::int64_t InputWatch::msSinceInput() {
    DWORD input = 0;
    return lastInputTick(input) ? static_cast<std::int64_t>(static_cast<DWORD>(GetTickCount() - input)) : -1;
}
