// The step that lets the program's window run: it handles every message
// waiting in the thread's queue and returns. The polling loop takes it once a
// pass, and the VDM task lookup (inventory/wowTasks.cpp) once per NTVDM
// process it asks about.
#pragma once

#include <windows.h>

// The program's main window: the message step serves its keyboard navigation
// (Tab, Esc), and the program's message boxes are modal to it. Null once the
// window is gone.
void setProgramWindow(HWND window);
HWND programWindow();

// Translates and dispatches one message, giving the dialog keys to the
// registered window first.
void dispatchOneMessage(MSG& message);

// Handles every pending message and returns. A WM_QUIT found in the queue
// stops the step and is posted again, so that the outer message loop still
// ends; from then on quitRequested() is true.
void processPendingMessages();

// Whether a message step has met WM_QUIT, from the program itself or from
// outside: the polling loop takes it as a request to stop.
bool quitRequested();
