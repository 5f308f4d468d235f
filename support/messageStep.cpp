#include "support/messageStep.h"

namespace {
HWND mainWindow = nullptr;
bool quitSeen = false;
int quitCode = 0;
int stepsHeld = 0;
HHOOK quitHook = nullptr;
void (*whenTaken)(void*, const MSG&) = nullptr;
void* whenTakenContext = nullptr;

void noteQuit(const MSG& message) {
    if (!quitSeen) {
        quitSeen = true;
        quitCode = static_cast<int>(message.wParam);
    }
}

BOOL CALLBACK cancelMode(HWND window, LPARAM) {
    SendMessageA(window, WM_CANCELMODE, 0, 0);
    return TRUE;
}

// Called for every message a GetMessage or PeekMessage of this thread takes,
// whoever calls it.
LRESULT CALLBACK watchTakenMessages(int code, WPARAM removal, LPARAM message) {
    const MSG* taken = reinterpret_cast<const MSG*>(message);
    if (code == HC_ACTION && removal == PM_REMOVE && taken != nullptr) {
        if (taken->message == WM_QUIT) {
            if (!quitSeen) {
                noteQuit(*taken);
                endMenus();
            }
        } else if (whenTaken != nullptr) {
            whenTaken(whenTakenContext, *taken);
        }
    }
    return CallNextHookEx(quitHook, code, removal, message);
}
}  // namespace

// The owner of a menu ends it when its mode is cancelled, on every Windows.
void endMenus() {
    EnumThreadWindows(GetCurrentThreadId(), cancelMode, 0);
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
    if (stepsHeld > 0) {
        return;
    }
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            noteQuit(message);
            PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
        dispatchOneMessage(message);
    }
}

MessageStepsHeld::MessageStepsHeld() {
    ++stepsHeld;
}

MessageStepsHeld::~MessageStepsHeld() {
    --stepsHeld;
}

QuitWatch::QuitWatch() {
    if (quitHook == nullptr) {
        quitHook = SetWindowsHookExA(WH_GETMESSAGE, watchTakenMessages, nullptr, GetCurrentThreadId());
    }
}

QuitWatch::~QuitWatch() {
    if (quitHook != nullptr) {
        UnhookWindowsHookEx(quitHook);
        quitHook = nullptr;
    }
}

void callWhenMessageTaken(void (*taken)(void* context, const MSG& message), void* context) {
    whenTaken = taken;
    whenTakenContext = context;
}

bool quitRequested() {
    return quitSeen;
}

int quitExitCode() {
    return quitCode;
}
