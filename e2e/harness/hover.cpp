#include "e2e/harness/hover.h"

#include <cstring>

#include "e2e/harness/waiting.h"

namespace e2e {

namespace {

struct TooltipSearch {
    DWORD pid;
    HWND shown;
};

BOOL CALLBACK findShownTooltip(HWND window, LPARAM context) {
    auto* search = reinterpret_cast<TooltipSearch*>(context);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    char name[32] = {};
    GetClassNameA(window, name, sizeof name);
    if (pid == search->pid && std::strcmp(name, "tooltips_class32") == 0 && IsWindowVisible(window)) {
        search->shown = window;
        return FALSE;
    }
    return TRUE;
}

bool pointerAt(POINT where) {
    POINT now;
    return GetCursorPos(&now) && now.x == where.x && now.y == where.y;
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

bool middleOfLine(HWND list, int index, POINT& where) {
    RECT item = {0, 0, 0, 0};
    DWORD_PTR result = 0;
    if (SendMessageTimeoutW(list, LB_GETITEMRECT, static_cast<WPARAM>(index),
                            reinterpret_cast<LPARAM>(&item), SMTO_NORMAL, defaultTimeoutMs,
                            &result) == 0 ||
        static_cast<LRESULT>(result) == LB_ERR) {
        return false;
    }
    where = {(item.left + item.right) / 2, (item.top + item.bottom) / 2};
    return MapWindowPoints(list, nullptr, &where, 1) != 0 || (where.x != 0 || where.y != 0);
}

std::string waitForTooltipText(DWORD pid, DWORD timeoutMs) {
    std::string text;
    waitUntil(
        [&] {
            TooltipSearch search = {pid, nullptr};
            EnumWindows(findShownTooltip, reinterpret_cast<LPARAM>(&search));
            if (search.shown == nullptr) {
                return false;
            }
            wchar_t buffer[256] = {};
            DWORD_PTR copied = 0;
            if (SendMessageTimeoutW(search.shown, WM_GETTEXT, 256, reinterpret_cast<LPARAM>(buffer),
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
