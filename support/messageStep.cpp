#include "support/messageStep.h"

namespace {
HWND dialogKeyWindow = nullptr;
}

void setDialogKeyWindow(HWND window) {
    dialogKeyWindow = window;
}

void dispatchOneMessage(MSG& message) {
    if (dialogKeyWindow != nullptr && IsWindow(dialogKeyWindow) &&
        IsDialogMessageA(dialogKeyWindow, &message)) {
        return;
    }
    TranslateMessage(&message);
    DispatchMessageA(&message);
}

void processPendingMessages() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
        dispatchOneMessage(message);
    }
}
