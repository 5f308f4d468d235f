#include "e2e/harness/modalLoops.h"

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
