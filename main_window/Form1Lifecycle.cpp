// Start-up, the polling loop and shutdown.
#include "main_window/Form1.h"

#include "main_window/controlIds.h"
#include "main_window/panel.h"
#include "support/basOSinfo.h"
#include "support/basStrings.h"
#include "support/boundOnFirstUse.h"
#include "support/messageStep.h"
#include "support/programFolder.h"


void Form1::load() {
    bound::timeBeginPeriod(1);
    setPanelBackColour(Frame1, COLOR_BTNFACE);
    appFolder = stripTrailingBackslash(programFolder());
    // OSInfo was filled before the window was made (Form1::create).
}

void Form1::timer1Tick() {
    KillTimer(hwnd_, controlId::Timer1);
    // A tick posted from outside while the loop runs starts no second loop.
    if (polling_) {
        return;
    }
    polling_ = true;
    while (!stopRequested) {
        // A pass that fails gives up its line and returns; the next pass
        // carries on.
        checkForeground();
        Sleep(1);
        processPendingMessages();
        // A WM_QUIT, also one posted by another program, ends the run the
        // way Close does.
        if (quitRequested()) {
            stopRequested = true;
        }
    }
    requestUnload();
}

void Form1::cmdCloseClick() {
    stopRequested = true;
}

void Form1::queryClose() {
    stopRequested = true;
}

void Form1::unload() {
    bound::timeEndPeriod(1);
    setProgramWindow(nullptr);
    PostQuitMessage(0);
}

void Form1::requestUnload() {
    // A window that is already gone has been unloaded; nothing runs twice.
    if (hwnd_ != nullptr) {
        SendMessageA(hwnd_, WM_CLOSE, 0, 0);
    }
}
