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
// ends. Does nothing while a MessageStepsHeld lives.
void processPendingMessages();

// While one lives, processPendingMessages() does nothing: a pass that a modal
// loop's timer started must leave that loop's input to the loop.
class MessageStepsHeld {
public:
    MessageStepsHeld();
    ~MessageStepsHeld();
    MessageStepsHeld(const MessageStepsHeld&) = delete;
    MessageStepsHeld& operator=(const MessageStepsHeld&) = delete;
};

// Watches, for as long as it lives, every message any loop of this thread
// takes from the queue: for a WM_QUIT, and for callWhenMessageTaken(). The
// system's own modal loops take a WM_QUIT too, and not all of them post it
// again (Wine's keyboard move loop does not): seen here, it still ends the
// run. A menu's loop takes it and goes on waiting for the user: the first
// one seen also ends any menu (endMenus()).
class QuitWatch {
public:
    QuitWatch();
    ~QuitWatch();
    QuitWatch(const QuitWatch&) = delete;
    QuitWatch& operator=(const QuitWatch&) = delete;
};

// Calls `taken` with each message any loop of this thread takes from the
// queue, while the QuitWatch lives: a modal loop of the system's own polls
// there too (modalLoopPolling.h). Null: no more calls.
void callWhenMessageTaken(void (*taken)(void* context, const MSG& message), void* context);

// Ends any menu that a window of this thread has open, by cancelling each
// window's mode.
void endMenus();

// Whether a WM_QUIT has been taken from the queue, from the program itself or
// from outside, by whichever loop: the run is to end.
bool quitRequested();

// The exit code the first WM_QUIT carried; 0 before one came.
int quitExitCode();
