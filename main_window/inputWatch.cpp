#include "main_window/inputWatch.h"

#include "support/boundOnFirstUse.h"
#include "support/millisecondClock.h"

namespace {

// Looks further apart than this may have missed a key or a click: the
// second before a change is then not watched.
constexpr DWORD longestGapMs = 100;
// How late a press may be seen: Wine keeps a key that was up as up for
// 50 ms, and the look that reads it afresh may come a gap later. Sooner
// than anyone sees a window come and clicks on it.
constexpr DWORD lateStateMs = 50 + longestGapMs;
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
//
// The looks keep their pace in time, not in passes (passesPerLook()): on a
// busy machine a pass's sleep takes several milliseconds, and sixteen passes
// may take longer than a quick click.
//
// Right after a change that no switch explains, while the input is recent
// and no button is known to be held (as it is through a drag), every pass
// looks, so that the click that made it is seen at the first fresh state.
void InputWatch::pass(HWND front) {
    if (++passesSinceLook_ >= passesPerLook_) {
        const DWORD now = millisecondClock();
        passesPerLook_ = passesPerLook(passesSinceLook_, now - lastPacedLook_);
        passesSinceLook_ = 0;
        lastPacedLook_ = now;
        lookIfInputMayHaveCome(front, now);
    } else if (lastChange_.lookEachPass) {
        const DWORD now = millisecondClock();
        if (now - lastChange_.at > lateStateMs) {
            lastChange_.lookEachPass = false;  // too late for its click
        } else {
            lookIfInputMayHaveCome(front, now);
        }
    }
}

void InputWatch::lookIfInputMayHaveCome(HWND front, DWORD now) {
    const bool inStep = watchedSince(now);
    if (inStep && !held_) {
        DWORD input = 0;
        if (lastInputTick(input) && GetTickCount() - input >= recentInputMs) {
            return;
        }
    }
    look(front, now, inStep);
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

// A key or button counts as pressed when it is down, or when it went down
// and up again since the last look, which the state's low bit tells: two
// looks may straddle a quick click or a quick second one. Another program
// that asks may take that bit first, and after a gap in the watch it may be
// old, so it counts only between looks in step.
void InputWatch::look(HWND front, DWORD now, bool inStep) {
    const auto pressed = [inStep](SHORT state) { return state < 0 || (inStep && (state & 1) != 0); };
    held_ = false;
    static const int buttons[3] = {VK_LBUTTON, VK_RBUTTON, VK_MBUTTON};
    for (int i = 0; i < 3; ++i) {
        const SHORT state = GetAsyncKeyState(buttons[i]);
        const bool down = state < 0;
        if ((down && !buttonDown_[i]) || (inStep && (state & 1) != 0)) {
            buttonWentDown(front, now);
        }
        buttonDown_[i] = down;
        held_ = held_ || down;
    }
    // Each key is read once: a read takes its low bit.
    const bool tab = pressed(GetAsyncKeyState(VK_TAB));
    const bool escape = pressed(GetAsyncKeyState(VK_ESCAPE));
    const bool f4 = pressed(GetAsyncKeyState(VK_F4));
    // Alt switches only with Tab, Esc or F4, and the switch comes when Alt
    // is let go: the chord counts for as long as Alt is held.
    if (GetAsyncKeyState(VK_MENU) >= 0) {
        altChord_ = Switch::none;
    } else if (tab) {
        altChord_ = Switch::altTab;
    } else if (escape) {
        altChord_ = Switch::altEsc;
    } else if (f4) {
        altChord_ = Switch::altF4;
    }
    if (altChord_ != Switch::none) {
        sawSwitch(altChord_, now);
    } else if (pressed(GetAsyncKeyState(VK_LWIN)) || pressed(GetAsyncKeyState(VK_RWIN))) {
        sawSwitch(Switch::windowsKey, now);
    } else if (escape) {
        sawSwitch(Switch::escape, now);  // Ctrl+Esc too
    } else if (pressed(GetAsyncKeyState(VK_RETURN))) {
        sawSwitch(Switch::enter, now);
    } else {
        return;
    }
    held_ = true;
}

// A click outside the window that was in front when the button went down
// switches windows. A press first seen within moments of a change that
// nothing explains went down before it: the window in front then was the
// one before that change; and if the click was on the window that came, the
// click made that change. (The system's last input time cannot tell: the
// button may have been let go since.)
void InputWatch::buttonWentDown(HWND front, DWORD now) {
    const bool changeSincePress = !lastChange_.explained && now - lastChange_.at <= lateStateMs;
    if (pointerOver(changeSincePress ? lastChange_.before : front)) {
        return;
    }
    if (changeSincePress && pointerOver(lastChange_.came)) {
        lastChange_.explained = true;
        lastChange_.lookEachPass = false;
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
        // A click that brought the window is at most a moment old.
        DWORD input = 0;
        const bool clickMaySeemLate =
            causeOf(clues) != Cause::you && lastInputTick(input) && GetTickCount() - input < recentInputMs;
        const bool buttonHeld = buttonDown_[0] || buttonDown_[1] || buttonDown_[2];
        lastChange_ = {came, before, now, !clickMaySeemLate, clickMaySeemLate && !buttonHeld};
    }
    return clues;
}

std::int64_t InputWatch::msSinceInput() {
    DWORD input = 0;
    return lastInputTick(input) ? static_cast<std::int64_t>(static_cast<DWORD>(GetTickCount() - input)) : -1;
}
