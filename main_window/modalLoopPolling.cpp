#include "main_window/modalLoopPolling.h"

#include "support/messageStep.h"
#include "support/millisecondClock.h"

namespace {

constexpr UINT shortestTimerMs = 10;  // USER_TIMER_MINIMUM
// The loop gets its turn at least this often, so that its own timers run:
// a scroll arrow's repeat, the list's repaint once the foreground is quiet.
constexpr DWORD handBackAfterMs = shortestTimerMs;
// Input that waits gets the loop back within this time: short enough that
// a window dragged with the mouse follows the pointer, long enough for a
// pass or two more.
constexpr DWORD inputMayWaitMs = 2;

// Whether the loop has something to do: input, a posted message or a
// paint. A message that another thread sends is handled inside the peek,
// so other programs' SendMessage is answered meanwhile, and the window is
// never taken as not responding. Timers wait for the hand-back.
bool loopHasWork() {
    MSG waiting;
    return PeekMessageA(&waiting, nullptr, 0, 0, PM_NOREMOVE) && waiting.message != WM_TIMER;
}

}  // namespace

void ModalLoopPolling::attach(HWND window, Passes passes) {
    window_ = window;
    passes_ = std::move(passes);
    callWhenMessageTaken(messageTaken, this);
}

ModalLoopPolling::~ModalLoopPolling() {
    callWhenMessageTaken(nullptr, nullptr);
}

bool ModalLoopPolling::active() const {
    return inSizeMove_ || inMenu_ || commands_ > 0;
}

void ModalLoopPolling::noticed(UINT message) {
    const bool wasActive = active();
    switch (message) {
    case WM_ENTERSIZEMOVE:
    case WM_EXITSIZEMOVE:
        inSizeMove_ = message == WM_ENTERSIZEMOVE;
        break;
    case WM_ENTERMENULOOP:
    case WM_EXITMENULOOP:
        inMenu_ = message == WM_ENTERMENULOOP;
        break;
    default:
        return;
    }
    update(wasActive);
}

// The timer runs while any loop does; its id is this object's address.
void ModalLoopPolling::update(bool wasActive) {
    if (window_ == nullptr || wasActive == active()) {
        return;
    }
    const auto id = reinterpret_cast<UINT_PTR>(this);
    if (active()) {
        SetTimer(window_, id, shortestTimerMs, tick);
        return;
    }
    // Should the window have gone inside the loop, its timer went with it.
    KillTimer(window_, id);
    if (passes_.allEnded) {
        passes_.allEnded();
    }
}

void CALLBACK ModalLoopPolling::tick(HWND, UINT, UINT_PTR id, DWORD) {
    // A menu entered after the run was asked to end (a key's release that
    // opens the menu bar, say) would wait for the user: it ends too.
    if (quitRequested()) {
        endMenus();
        return;
    }
    reinterpret_cast<ModalLoopPolling*>(id)->pollUntilTheLoopHasWork(inputMayWaitMs);
}

// Each message that a modal loop takes is followed by a pass. Input (a move
// of the mouse while the window is dragged, a key) is followed by passes
// until more work comes in for the loop: the message taken waits meanwhile,
// as a move of the mouse waits for the next, a few milliseconds, so the
// window still follows the pointer at once. Other messages go on at once:
// the loop's timer polls while no input comes.
void ModalLoopPolling::messageTaken(void* self, const MSG& message) {
    auto* polling = static_cast<ModalLoopPolling*>(self);
    if (!polling->active()) {
        return;
    }
    const bool input = (message.message >= WM_KEYFIRST && message.message <= WM_KEYLAST) ||
                       (message.message >= WM_MOUSEFIRST && message.message <= WM_MOUSELAST);
    if (input) {
        polling->pollUntilTheLoopHasWork(0);
    } else if (polling->passes_.mayStart && polling->passes_.mayStart()) {
        polling->passWithoutMessageSteps();
    }
}

void ModalLoopPolling::beforeTheWindowMoves() {
    if (active() && passes_.mayStart && passes_.mayStart()) {
        passWithoutMessageSteps();
    }
}

// The loop's input stays the loop's: no message step inside these passes.
// True when the foreground changed.
bool ModalLoopPolling::passWithoutMessageSteps() {
    const MessageStepsHeld held;
    return passes_.run && passes_.run();
}

// A pass each millisecond, as the polling loop makes them, until the loop's
// work has waited `workMayWaitMs`, or its turn has come.
void ModalLoopPolling::pollUntilTheLoopHasWork(DWORD workMayWaitMs) {
    if (!passes_.mayStart) {
        return;
    }
    const DWORD began = millisecondClock();
    bool workWaits = false;
    DWORD workSeen = began;
    while (passes_.mayStart()) {
        const bool changed = passWithoutMessageSteps();
        const DWORD now = millisecondClock();
        if (loopHasWork()) {
            if (!workWaits) {
                workWaits = true;
                workSeen = now;
            }
            if (now - workSeen >= workMayWaitMs) {
                return;
            }
        }
        if (now - began >= handBackAfterMs) {
            return;
        }
        // After a change the next look comes at once, as in the polling loop.
        if (!changed) {
            Sleep(1);
        }
    }
}

ModalLoopPolling::During::During(ModalLoopPolling& polling) : polling_(polling) {
    const bool wasActive = polling_.active();
    ++polling_.commands_;
    polling_.update(wasActive);
}

ModalLoopPolling::During::~During() {
    const bool wasActive = polling_.active();
    --polling_.commands_;
    if (polling_.window_ != nullptr && !IsWindow(polling_.window_)) {
        PostQuitMessage(0);
    }
    polling_.update(wasActive);
}
