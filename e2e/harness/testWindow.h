// Top-level windows of the test's own, with the caption, class, place, style
// and show state each case needs. They belong to the test's thread, which
// answers the program's questions about them while it waits (waiting.h).
#pragma once

#include <windows.h>

#include <string>

#include "e2e/harness/waiting.h"

namespace e2e {

// Registers a window class of this process under `name` with `procedure`;
// false when it cannot.
bool registerWindowClass(const std::string& name, WNDPROC procedure = DefWindowProcA);

// A window class of the test's own for as long as a test runs: a class name
// that differs from another only in case is the same class within one
// process, so such names must not outlive their test. TestWindow uses the
// class that is registered under its name.
class ScopedWindowClass {
public:
    explicit ScopedWindowClass(const std::string& name, WNDPROC procedure = DefWindowProcA);
    ~ScopedWindowClass();
    ScopedWindowClass(const ScopedWindowClass&) = delete;
    ScopedWindowClass& operator=(const ScopedWindowClass&) = delete;

    bool registered() const { return registered_; }

private:
    std::string name_;
    bool registered_ = false;
};

struct WindowSpec {
    std::string className = "TarnwickE2E";
    std::string caption = "Tarnwick test window";
    DWORD style = WS_OVERLAPPEDWINDOW;
    DWORD exStyle = 0;
    RECT rect = {200, 150, 560, 390};  // screen coordinates: left, top, right, bottom
    // Applied once the window exists. By default the window does not come to
    // the front as it opens: a test decides when it does (bringToFront).
    int showCommand = SW_SHOWNOACTIVATE;
    // The window that owns this one, or none.
    HWND owner = nullptr;
};

class TestWindow {
public:
    explicit TestWindow(const WindowSpec& plan);
    ~TestWindow();
    TestWindow(const TestWindow&) = delete;
    TestWindow& operator=(const TestWindow&) = delete;

    HWND handle() const { return window_; }
    bool valid() const { return window_ != nullptr; }

    // As the platform reports them now.
    DWORD style() const;
    RECT rect() const;

private:
    HWND window_ = nullptr;
};

// Makes `window` the foreground window and waits until the platform reports
// it as such.
bool bringToFront(HWND window, DWORD timeoutMs = defaultTimeoutMs);

}  // namespace e2e
