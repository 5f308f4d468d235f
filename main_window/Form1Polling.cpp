// Start-up, the polling loop, the pass that logs a change of the foreground
// window, and shutdown.
#include <cstdint>

#include "inventory/basProcesses.h"
#include "main_window/Form1.h"
#include "main_window/controlIds.h"
#include "main_window/logLine.h"
#include "main_window/panel.h"
#include "support/basOSinfo.h"
#include "support/basStrings.h"
#include "support/boundOnFirstUse.h"
#include "support/messageStep.h"
#include "support/programFolder.h"
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

// What the task-window rule looks at, of the values read for the line.
WindowTraits traitsOf(const ForegroundFacts& facts) {
    WindowTraits traits;
    traits.style = facts.style;
    traits.className = facts.className;
    traits.visible = facts.visible;
    traits.width = static_cast<std::int64_t>(facts.right) - facts.left;
    traits.height = static_cast<std::int64_t>(facts.bottom) - facts.top;
    return traits;
}

}  // namespace

void Form1::load() {
    bound::timeBeginPeriod(1);
    timerResolutionRaised_ = true;
    setPanelBackColour(Frame1, COLOR_BTNFACE);
    appFolder = stripTrailingBackslash(programFolder());
    // OSInfo was filled before the window was made (Form1::create).
}

void Form1::timer1Tick() {
    KillTimer(hwnd_, controlId::Timer1);
    // A tick posted from outside while the loop runs starts no second loop.
    if (polling_) {
        return;
    }
    polling_ = true;
    while (!stopRequested) {
        // A pass that fails gives up its line and returns; the next pass
        // carries on. After a change the next look comes without the sleep:
        // a switch between two windows passes through a moment without any,
        // and the window after it may hold the front for a millisecond only.
        const HWND seen = lastForegroundWnd;
        pass();
        if (lastForegroundWnd == seen) {
            Sleep(1);
        }
        processPendingMessages();
        // A WM_QUIT, also one posted by another program, ends the run the
        // way Close does.
        if (quitRequested()) {
            stopRequested = true;
        }
    }
    requestUnload();
}

void Form1::pass() {
    inPass_ = true;
    checkForeground();
    inPass_ = false;
}

// While a modal loop runs in the message step (modalLoopPolling.h), the
// passes go on from its timer: one at each tick. None starts inside a pass
// (the lookup lets the window run, or waits for the user in a message box),
// none before the loop has begun and none once a stop was asked for.
void CALLBACK Form1::pollInModalLoop(HWND window, UINT, UINT_PTR, DWORD) {
    auto* form = reinterpret_cast<Form1*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (form != nullptr && form->polling_ && !form->inPass_ && !form->stopRequested &&
        !quitRequested()) {
        form->pass();
    }
}

void Form1::checkForeground() {
    const HWND h = GetForegroundWindow();
    if (h == lastForegroundWnd) {
        return;
    }
    const HWND before = lastForegroundWnd;
    lastForegroundWnd = h;
    const FrontTime front = frontTimeNow();

    // The window is read once; the lookup takes the values read here.
    DWORD pid = 0;
    bound::GetWindowThreadProcessId(h, &pid);
    ForegroundFacts facts;
    facts.pid = pid;
    facts.title = getStrWindowText(h);
    facts.className = getStrClass(h);
    facts.visible = IsWindowVisible(h);
    RECT rect = {0, 0, 0, 0};
    GetWindowRect(h, &rect);
    facts.left = rect.left;
    facts.top = rect.top;
    facts.right = rect.right;
    facts.bottom = rect.bottom;
    facts.style = static_cast<std::uint32_t>(GetWindowLongA(h, GWL_STYLE));
    facts.iconic = IsIconic(h);
    facts.exePath = getExeOfWindow(h, pid, traitsOf(facts));

    // The lookup may let the window run; if it was closed meanwhile, nobody
    // can see the line any more.
    if (hwnd_ == nullptr) {
        return;
    }
    const std::string line = buildLogLine(facts);
    // If memory ran short while the line was built, the heap's reserve stood
    // in: the line is dropped, so that the reserve can be set aside again,
    // and the window is not taken as seen, so that the next pass tries again.
    if (heapRanShortSinceAsked()) {
        lastForegroundWnd = before;
        return;
    }
    List1.append(line, front);
}

// Both read the whole buffer back, blanks and NUL included, and trim it: a
// caption keeps its trailing blanks and loses its leading ones.
std::string Form1::getStrWindowText(HWND window) {
    if (OSInfo.isNT) {
        const int length = keptTextLength(GetWindowTextLengthW(window));
        std::wstring buffer(static_cast<std::size_t>(length) + 1, L' ');
        GetWindowTextW(window, &buffer[0], length + 1);
        return nTrim(textFromWide(buffer.data(), buffer.size()));
    }
    const int length = keptTextLength(GetWindowTextLengthA(window));
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

// The unload step. The timer resolution is restored only if the load step
// raised it: a window whose creation failed never got that far.
void Form1::unload() {
    if (timerResolutionRaised_) {
        bound::timeEndPeriod(1);
        timerResolutionRaised_ = false;
    }
    setProgramWindow(nullptr);
    PostQuitMessage(0);
}

void Form1::requestUnload() {
    // A window that is already gone has been unloaded; nothing runs twice.
    if (hwnd_ != nullptr) {
        SendMessageA(hwnd_, WM_CLOSE, 0, 0);
    }
}
