#include "e2e/harness/hover.h"

#include "e2e/harness/listBox.h"
#include "e2e/harness/waiting.h"
#include "e2e/harness/windowSearch.h"

namespace e2e {

namespace {

bool pointerAt(POINT where) {
    POINT now;
    return GetCursorPos(&now) && now.x == where.x && now.y == where.y;
}

bool sendMouse(DWORD flags, int dx = 0, int dy = 0) {
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dx = dx;
    input.mi.dy = dy;
    input.mi.dwFlags = flags;
    return SendInput(1, &input, sizeof input) == 1;
}

}  // namespace

bool movePointerTo(POINT where) {
    for (int tries = 0; tries < 10; ++tries) {
        SetCursorPos(where.x, where.y);
        // Staying put for a little while, not only arriving, counts.
        DWORD since = 0;
        const bool stays = waitUntil(
            [&] {
                if (!pointerAt(where)) {
                    since = 0;
                    return false;
                }
                if (since == 0) {
                    since = GetTickCount();
                }
                return GetTickCount() - since >= 20;
            },
            100, 2);
        if (stays) {
            return true;
        }
    }
    return false;
}

bool movePointerBy(int dx, int dy) {
    return sendMouse(MOUSEEVENTF_MOVE, dx, dy);
}

bool pressLeftButton() {
    return sendMouse(MOUSEEVENTF_LEFTDOWN);
}

bool releaseLeftButton() {
    return sendMouse(MOUSEEVENTF_LEFTUP);
}

bool clickAt(POINT where, bool right) {
    if (!movePointerTo(where) || !sendMouse(right ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN)) {
        return false;
    }
    waitUntil([] { return false; }, 80);
    return sendMouse(right ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP);
}

bool middleOfLine(HWND list, int index, POINT& where) {
    RECT item = {0, 0, 0, 0};
    if (!lineRect(list, index, item)) {
        return false;
    }
    where = {(item.left + item.right) / 2, (item.top + item.bottom) / 2};
    MapWindowPoints(list, nullptr, &where, 1);
    return true;
}

std::string waitForTooltipText(DWORD pid, DWORD timeoutMs) {
    std::string text;
    waitUntil(
        [&] {
            const HWND shown = findWindow("tooltips_class32", pid, true);
            if (shown == nullptr) {
                return false;
            }
            wchar_t buffer[256] = {};
            DWORD_PTR copied = 0;
            if (SendMessageTimeoutW(shown, WM_GETTEXT, 256, reinterpret_cast<LPARAM>(buffer),
                                    SMTO_NORMAL, 1000, &copied) == 0) {
                return false;
            }
            text.assign(buffer, buffer + copied);
            return !text.empty();
        },
        timeoutMs);
    return text;
}

}  // namespace e2e
