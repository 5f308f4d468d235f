#include "e2e/harness/testWindow.h"

#include <set>

namespace e2e {

namespace {

void registerClassOnce(const std::string& className) {
    static std::set<std::string> registered;
    if (registered.count(className) == 0 && registerWindowClass(className)) {
        registered.insert(className);
    }
}

}  // namespace

bool registerWindowClass(const std::string& name, WNDPROC procedure) {
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = name.c_str();
    return RegisterClassA(&windowClass) != 0;
}

ScopedWindowClass::ScopedWindowClass(const std::string& name, WNDPROC procedure)
    : name_(name), registered_(registerWindowClass(name, procedure)) {}

ScopedWindowClass::~ScopedWindowClass() {
    if (registered_) {
        UnregisterClassA(name_.c_str(), GetModuleHandleA(nullptr));
    }
}

TestWindow::TestWindow(const WindowSpec& plan) {
    registerClassOnce(plan.className);
    const RECT& r = plan.rect;
    window_ = CreateWindowExA(plan.exStyle, plan.className.c_str(), plan.caption.c_str(),
                              plan.style, r.left, r.top, r.right - r.left, r.bottom - r.top,
                              plan.owner, nullptr, GetModuleHandleA(nullptr), nullptr);
    if (window_ != nullptr && plan.showCommand != SW_HIDE) {
        ShowWindow(window_, plan.showCommand);
    }
    pumpMessages();
}

TestWindow::~TestWindow() {
    if (window_ != nullptr) {
        DestroyWindow(window_);
        pumpMessages();
    }
}

DWORD TestWindow::style() const {
    return static_cast<DWORD>(GetWindowLongA(window_, GWL_STYLE));
}

RECT TestWindow::rect() const {
    RECT r = {0, 0, 0, 0};
    GetWindowRect(window_, &r);
    return r;
}

bool bringToFront(HWND window, DWORD timeoutMs) {
    // Ask again now and then: a switch that another process makes at the same
    // moment may win.
    constexpr DWORD askAgainMs = 1000;
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < timeoutMs) {
        SetForegroundWindow(window);
        if (waitUntil([window] { return GetForegroundWindow() == window; }, askAgainMs)) {
            return true;
        }
    }
    return GetForegroundWindow() == window;
}

}  // namespace e2e
