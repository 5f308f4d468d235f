// Polling while the window's thread is inside a modal loop of the system's
// own: moving or sizing the window (with the mouse, or from the keyboard
// with Alt+Space, Move), its system menu, dragging a scroll thumb or holding
// a scroll arrow down. Each of these runs in the default handling of a
// system command, inside the message step, and the polling loop waits until
// it returns. They all dispatch timer messages, so for the time a system
// command runs, a timer at the shortest interval the system allows calls
// back.
#pragma once

#include <windows.h>

class ModalLoopPolling {
public:
    // The timer belongs to `window`; `tick` receives its messages.
    void attach(HWND window, UINT_PTR timerId, TIMERPROC tick);

    // For the time of one system command's default handling. They nest: the
    // system menu's Move runs inside the menu's own command.
    class During {
    public:
        explicit During(ModalLoopPolling& polling);
        ~During();
        During(const During&) = delete;
        During& operator=(const During&) = delete;

    private:
        ModalLoopPolling& polling_;
    };

private:
    HWND window_ = nullptr;
    UINT_PTR timerId_ = 0;
    TIMERPROC tick_ = nullptr;
    int depth_ = 0;
};
