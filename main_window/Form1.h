// The program's only window: the foreground log with its list, its panel of
// commands, the one-shot timer that starts the polling loop, and the loop.
#pragma once

#include <windows.h>

#include <string>

#include "inventory/basProcesses.h"
#include "main_window/design.h"
#include "main_window/inputWatch.h"
#include "main_window/logList.h"
#include "main_window/modalLoopPolling.h"
#include "main_window/suspectsWindow.h"

class Form1 {
public:
    Form1() = default;
    Form1(const Form1&) = delete;
    Form1& operator=(const Form1&) = delete;

    static bool registerClass(HINSTANCE instance);

    // Creates the window and its controls, runs the load step and shows the
    // window. False when the window could not be created.
    bool create(HINSTANCE instance, int showCommand);

    // Unloads the window if it is still there, as a close request does.
    void requestUnload();

private:
    // The window, its controls and its messages (Form1.cpp).
    static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void onCommand(int id, int notification);
    bool createControls();
    HWND createChild(HWND parent, const char* className, const char* caption, DWORD style,
                     DWORD exStyle, int id, const TwipRect& where);
    static HWND withDialogFont(HWND control);
    RECT pixelsOf(const TwipRect& where) const;
    void place(HWND control, const TwipRect& where);
    void layout();
    QuarterTwips wholeLinesOf(QuarterTwips height) const;

    // Life cycle, the polling loop and the foreground (Form1Polling.cpp).
    void load();
    void timer1Tick();
    void startPollingLoop();
    bool passMayStart() const;
    bool pass();
    void checkForeground();
    void awaitAppInFrame(HWND frame, std::uint32_t serial, const WindowProcess& process,
                         const ForegroundFacts& facts);
    void recheckFrame();
    static std::string getStrWindowText(HWND window);
    static std::string getStrClass(HWND window);
    void unload();

    // Commands (Form1Commands.cpp).
    void topMostCommand();
    void clearCommand();
    void copyCommand();
    void copied(bool done);
    void listMenuCommand(POINT at, const ChosenLine* chosen);
    void suspectsCommand();

    HWND hwnd_ = nullptr;
    LogList List1;
    HWND Frame1 = nullptr;
    HWND cmdClear = nullptr;
    HWND chkTopMost = nullptr;
    HWND cmdClose = nullptr;
    HWND focusedControl_ = nullptr;

    // Control geometry in twips, as last set.
    TwipRect list1Rect_ = design::list1;
    TwipRect frame1Rect_ = design::frame1;
    TwipRect cmdCloseRect_ = design::cmdClose;
    int dpiX_ = 96;
    int dpiY_ = 96;

    ModalLoopPolling modalLoops_;
    SuspectsWindow suspects_;
    bool timerResolutionRaised_ = false;
    bool polling_ = false;      // Timer1 has ticked: passes may run
    bool loopRunning_ = false;  // the polling loop has begun
    bool inPass_ = false;
    bool stopRequested = false;
    HWND lastForegroundWnd = nullptr;
    HWND lastWindowInFront_ = nullptr;  // as lastForegroundWnd, past moments with none
    // A Store app's frame logged before its app's window was in it.
    struct PendingFrame {
        HWND frame = nullptr;
        std::uint32_t serial = 0;  // its line
        DWORD since = 0;
        WindowProcess process;
        ForegroundFacts facts;
    } pendingFrame_;
    InputWatch input_;
};
