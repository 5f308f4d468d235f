// Detecting a change of the foreground window and logging one line for it.
#include "main_window/Form1.h"

#include <cstdint>

#include "inventory/basProcesses.h"
#include "main_window/logLine.h"
#include "support/basOSinfo.h"
#include "support/basStrings.h"
#include "support/boundOnFirstUse.h"
#include "support/runtime/heap.h"
#include "support/systemText.h"

namespace {

// The moment a change is seen: the local time for the line's tooltip, and the
// millisecond counter from which its window's time in front is measured.
// timeGetTime counts in single milliseconds once the timer resolution is
// raised; GetTickCount, the stand-in should winmm be missing, in steps of
// 10 to 16.
FrontTime frontTimeNow() {
    SYSTEMTIME now;
    GetLocalTime(&now);
    FrontTime front;
    front.timeOfDayMs = timeOfDayMs(now.wHour, now.wMinute, now.wSecond, now.wMilliseconds);
    front.stampMs = bound::timeGetTime.available() ? bound::timeGetTime() : GetTickCount();
    return front;
}

}  // namespace

void Form1::checkForeground() {
    const HWND h = GetForegroundWindow();
    if (h == lastForegroundWnd) {
        return;
    }
    lastForegroundWnd = h;
    const FrontTime front = frontTimeNow();

    DWORD pid = 0;
    bound::GetWindowThreadProcessId(h, &pid);

    ForegroundFacts facts;
    facts.title = getStrWindowText(h);
    facts.className = getStrClass(h);
    facts.visible = IsWindowVisible(h) != FALSE;
    RECT rect = {0, 0, 0, 0};
    GetWindowRect(h, &rect);
    facts.left = rect.left;
    facts.top = rect.top;
    facts.right = rect.right;
    facts.bottom = rect.bottom;
    facts.exePath = getExeOfWindow(h);
    facts.pid = pid;
    facts.style = static_cast<std::uint32_t>(GetWindowLongA(h, GWL_STYLE));
    facts.iconic = IsIconic(h);

    // The lookup may let the window run; if it was closed meanwhile, nobody
    // can see the line any more.
    if (hwnd_ == nullptr) {
        return;
    }
    const std::string line = buildLogLine(facts);
    // If memory ran short while the line was built, the heap's reserve stood
    // in: the line is dropped, so that the reserve can be set aside again,
    // and the next change is logged as usual.
    if (heapRanShortSinceAsked()) {
        return;
    }
    appendToLog(line, front);
}

// Both read the whole buffer back, blanks and NUL included, and trim it: a
// caption keeps its trailing blanks and loses its leading ones.
std::string Form1::getStrWindowText(HWND window) {
    if (OSInfo.isNT) {
        int length = GetWindowTextLengthW(window);
        if (length < 0) {
            length = 0;
        }
        std::wstring buffer(static_cast<std::size_t>(length) + 1, L' ');
        GetWindowTextW(window, &buffer[0], length + 1);
        return nTrim(textFromWide(buffer.data(), buffer.size()));
    }
    int length = GetWindowTextLengthA(window);
    if (length < 0) {
        length = 0;
    }
    std::string buffer = blankBuffer(static_cast<std::size_t>(length) + 1);
    GetWindowTextA(window, &buffer[0], length + 1);
    return nTrim(buffer);
}

std::string Form1::getStrClass(HWND window) {
    if (OSInfo.isNT) {
        std::wstring buffer(260, L' ');
        GetClassNameW(window, &buffer[0], 260);
        return nTrim(textFromWide(buffer.data(), buffer.size()));
    }
    std::string buffer = blankBuffer(260);
    GetClassNameA(window, &buffer[0], 260);
    return nTrim(buffer);
}
