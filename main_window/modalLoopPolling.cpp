#include "main_window/modalLoopPolling.h"

namespace {
constexpr UINT shortestTimerMs = 10;  // USER_TIMER_MINIMUM
}  // namespace

void ModalLoopPolling::attach(HWND window, UINT_PTR timerId, TIMERPROC tick) {
    window_ = window;
    timerId_ = timerId;
    tick_ = tick;
}

ModalLoopPolling::During::During(ModalLoopPolling& polling) : polling_(polling) {
    if (polling_.depth_++ == 0 && polling_.window_ != nullptr) {
        SetTimer(polling_.window_, polling_.timerId_, shortestTimerMs, polling_.tick_);
    }
}

ModalLoopPolling::During::~During() {
    // Should the window have gone inside the loop, its timer went with it.
    if (--polling_.depth_ == 0 && polling_.window_ != nullptr) {
        KillTimer(polling_.window_, polling_.timerId_);
    }
}
