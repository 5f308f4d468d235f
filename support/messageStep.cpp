#include "support/messageStep.h"

namespace {
HWND mainWindow = nullptr;
bool quitSeen = false;
}

void setProgramWindow(HWND window) {
    mainWindow = window;
}

HWND programWindow() {
    return mainWindow;
}

void dispatchOneMessage(MSG& message) {
    if (mainWindow != nullptr && IsDialogMessageA(mainWindow, &message)) {
        return;
    }
    TranslateMessage(&message);
    DispatchMessageA(&message);
}

void processPendingMessages() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            quitSeen = true;
            PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
        dispatchOneMessage(message);
    }
}

bool quitRequested() {
    return quitSeen;
}
