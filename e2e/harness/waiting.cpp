#include "e2e/harness/waiting.h"

namespace e2e {

namespace {

DWORD elapsedSince(DWORD start) {
    return GetTickCount() - start;  // unsigned arithmetic survives the wrap
}

}  // namespace

void pumpMessages() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

bool waitUntil(const std::function<bool()>& condition, DWORD timeoutMs, DWORD stepMs) {
    const DWORD start = GetTickCount();
    for (;;) {
        pumpMessages();
        if (condition()) {
            return true;
        }
        if (elapsedSince(start) >= timeoutMs) {
            return false;
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, stepMs, QS_ALLINPUT);
    }
}

bool waitForObject(HANDLE object, DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    for (;;) {
        pumpMessages();
        const DWORD used = elapsedSince(start);
        if (used >= timeoutMs) {
            return WaitForSingleObject(object, 0) == WAIT_OBJECT_0;
        }
        const DWORD result =
            MsgWaitForMultipleObjects(1, &object, FALSE, timeoutMs - used, QS_ALLINPUT);
        if (result == WAIT_OBJECT_0) {
            return true;
        }
        if (result == WAIT_FAILED) {
            return false;
        }
    }
}

}  // namespace e2e
