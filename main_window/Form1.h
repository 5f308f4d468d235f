// The program's only window: the foreground log with its list, its panel of
// commands, the one-shot timer that starts the polling loop, and the loop.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "main_window/design.h"
#include "main_window/lineTooltip.h"
#include "main_window/logBook.h"

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
    static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void onCommand(int id, int notification);

    // Window description (Form1.cpp).
    bool createControls();
    HWND createChild(HWND parent, const char* className, const char* caption, DWORD style,
                     DWORD exStyle, int id, const TwipRect& where);
    static HWND withDialogFont(HWND control);
    RECT pixelsOf(const TwipRect& where) const;
    void place(HWND control, const TwipRect& where);

    // Life cycle (Form1Lifecycle.cpp).
    void load();
    void timer1Tick();
    void cmdCloseClick();
    void queryClose();
    void unload();

    // Foreground detection (Form1Foreground.cpp).
    void checkForeground();
    static std::string getStrWindowText(HWND window);
    static std::string getStrClass(HWND window);

    // The log list (Form1Log.cpp).
    void appendToLog(const std::string& line, const FrontTime& front);
    bool dropOldestLine();
    void widenListExtent();
    void holdBackPainting();
    void scheduleRepaint();
    void repaintLog();

    // Layout (Form1Layout.cpp).
    void layout();

    // Commands (Form1Commands.cpp).
    void topMostCommand();
    void clearCommand();
    void copyCommand();

    HWND hwnd_ = nullptr;
    HWND List1 = nullptr;
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
    LogBook logBook_;
    LineTooltip lineTooltip_;
    std::vector<std::string> unmeasuredLines_;  // added since the list was last painted
    int widestLinePixels_ = 0;
    bool paintingHeldBack_ = false;
    DWORD paintingHeldBackSince_ = 0;

    bool polling_ = false;
    bool stopRequested = false;
    HWND lastForegroundWnd = nullptr;
};
