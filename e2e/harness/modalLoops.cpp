#include "e2e/harness/modalLoops.h"

#include "e2e/harness/hover.h"
#include "e2e/harness/waiting.h"

namespace e2e {

bool inModalLoop(DWORD threadId, DWORD flag) {
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    return GetGUIThreadInfo(threadId, &info) && (info.flags & flag) != 0;
}

void startMoveLoop(HWND window) {
    PostMessageA(window, WM_SYSCOMMAND, SC_MOVE, 0);
}

namespace {

// A point of the top rows of `window`'s client area where the window itself
// is what the pointer would be over, in screen coordinates.
bool findOwnTopPoint(HWND window, POINT& where) {
    RECT client = {0, 0, 0, 0};
    if (!GetClientRect(window, &client)) {
        return false;
    }
    for (LONG y = 0; y < client.bottom && y < 12; ++y) {
        for (LONG x = client.right / 2; x > 0; x -= 8) {
            POINT point = {x, y};
            ClientToScreen(window, &point);
            if (WindowFromPoint(point) == window) {
                where = point;
                return true;
            }
        }
    }
    return false;
}

}  // namespace

bool startDragMoveLoop(HWND window) {
    POINT grip = {0, 0};
    if (!findOwnTopPoint(window, grip) || !movePointerTo(grip) || !pressLeftButton()) {
        return false;
    }
    if (PostMessageA(window, WM_SYSCOMMAND, SC_MOVE | HTCAPTION, MAKELPARAM(grip.x, grip.y)) == FALSE) {
        releaseLeftButton();
        return false;
    }
    return true;
}

bool openCaptionMenu(HWND window) {
    POINT caption = {0, 0};
    if (!findNonClientPoint(window, HTCAPTION, caption)) {
        return false;
    }
    return PostMessageA(window, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(window),
                        MAKELPARAM(caption.x, caption.y)) != FALSE;
}

bool findNonClientPoint(HWND window, LRESULT hitCode, POINT& where) {
    RECT frame = {0, 0, 0, 0};
    if (!GetWindowRect(window, &frame)) {
        return false;
    }
    for (LONG y = frame.top; y < frame.top + 40; y += 2) {
        for (LONG x = frame.right - 1; x > frame.left + (frame.right - frame.left) / 2; x -= 2) {
            DWORD_PTR hit = 0;
            if (SendMessageTimeoutA(window, WM_NCHITTEST, 0, MAKELPARAM(x, y), SMTO_NORMAL, defaultTimeoutMs,
                                    &hit) != 0 &&
                static_cast<LRESULT>(hit) == hitCode) {
                where = {x, y};
                return true;
            }
        }
    }
    return false;
}

}  // namespace e2e
