// Program entry: one window, and the message loop that runs until it is gone.
#include <windows.h>

#include "main_window/Form1.h"
#include "support/messageStep.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
    // No box of the system's own ("There is no disk in the drive") for a
    // load or a copy that touches an empty drive: such failures are the
    // program's to handle.
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    if (!Form1::registerClass(instance)) {
        return 1;
    }
    // A WM_QUIT ends the run whichever loop takes it from the queue.
    const QuitWatch quitWatch;
    Form1 form;
    if (!form.create(instance, showCommand)) {
        return 1;
    }
    MSG message;
    while (!quitRequested() && GetMessageA(&message, nullptr, 0, 0) > 0) {
        dispatchOneMessage(message);
    }
    // A WM_QUIT from outside before the polling loop began leaves the window
    // standing; it goes the usual way, which restores the timer resolution.
    form.requestUnload();
    return quitExitCode();
}
