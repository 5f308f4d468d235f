// Polling while the window's thread is inside a modal loop of the system's
// own: moving or sizing the window (with the mouse, or from the keyboard
// with Alt+Space, Move), a menu (the system menu from the keyboard, the
// caption or the taskbar, or a menu the program opens itself), dragging a
// scroll thumb or holding a scroll arrow down. The polling loop waits in its
// message step until such a loop returns. Every one of them dispatches timer
// messages, so while one runs, a timer calls back, and its procedure makes a
// pass every millisecond until the loop's input has waited a moment. A timer
// comes only while no input waits, though, and while the user drags the
// window with the mouse, input nearly always waits: so a pass is also made
// each time the loop takes a message from the queue.
//
// Two loops stop the log: holding a caption button (close, minimise,
// maximise) down, whose loop takes mouse messages only, so that it polls only
// while the pointer moves; and the PSAPI message boxes, which run inside a
// pass, where no second pass may start.
#pragma once

#include <windows.h>

#include <functional>

class ModalLoopPolling {
public:
    // What the polling needs of its window.
    struct Passes {
        std::function<bool()> mayStart;  // the one question whether a pass may start
        std::function<bool()> run;       // one pass; true when the foreground changed
        std::function<void()> allEnded;  // the last modal loop has returned
    };

    ModalLoopPolling() = default;
    ~ModalLoopPolling();
    ModalLoopPolling(const ModalLoopPolling&) = delete;
    ModalLoopPolling& operator=(const ModalLoopPolling&) = delete;

    // The timer belongs to `window`.
    void attach(HWND window, Passes passes);

    // A window's notice of a loop: WM_ENTERSIZEMOVE and WM_EXITSIZEMOVE,
    // WM_ENTERMENULOOP and WM_EXITMENULOOP, of the main window or of the
    // Suspects window. Any other message is left alone.
    void noticed(UINT message);

    // Whether a modal loop runs now.
    bool active() const;

    // The window is about to be moved or sized (WM_WINDOWPOSCHANGING): in a
    // loop that moves it, one more pass, just before the move. Under Wine
    // each step of a move also brings the window to the front, and a window
    // that took the front from it a moment before is gone from the front
    // again at once.
    void beforeTheWindowMoves();

    // For the time of one system command's default handling, or of a menu
    // the program tracks itself. They nest: the system menu's Move runs
    // inside the menu's own command. Should the window have gone by the
    // end, the loop may have taken the WM_QUIT that its end posted, and a
    // new one is posted.
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
    static void CALLBACK tick(HWND window, UINT message, UINT_PTR id, DWORD time);
    static void messageTaken(void* self, const MSG& message);
    bool passWithoutMessageSteps();
    void pollUntilTheLoopHasWork(DWORD workMayWaitMs);
    void update(bool wasActive);

    HWND window_ = nullptr;
    Passes passes_;
    bool inSizeMove_ = false;
    bool inMenu_ = false;
    int commands_ = 0;
};
