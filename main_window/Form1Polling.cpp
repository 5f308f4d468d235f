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
#include "support/millisecondClock.h"
#include "support/programFolder.h"
#include "support/runtime/heap.h"
#include "support/systemText.h"

namespace {

// How often, and how long, a Store app's frame is looked at again for the
// app's window.
constexpr UINT frameRecheckMs = 50;
constexpr DWORD longestFrameWaitMs = 2000;

// The moment a change is seen: the local time for the line's tooltip, and the
// millisecond counter from which its window's time in front is measured.
FrontTime frontTimeNow() {
    SYSTEMTIME now;
    GetLocalTime(&now);
    FrontTime front;
    front.date = dateOf(now.wYear, now.wMonth, now.wDay);
    front.timeOfDayMs = timeOfDayMs(now.wHour, now.wMinute, now.wSecond, now.wMilliseconds);
    front.stampMs = millisecondClock();
    return front;
}

// What the task-window rule looks at, of the values read for the line.
WindowTraits traitsOf(const ForegroundFacts& facts) {
    WindowTraits traits;
    traits.style = facts.style;
    traits.className = facts.className;
    traits.visible = facts.visible;
    traits.width = widthOf(facts);
    traits.height = heightOf(facts);
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

// The first tick: passes may run from now on. The polling loop itself runs
// at the top level only. A tick that comes while a modal loop runs (the user
// moved the window or opened its menu at once) leaves the passes to that
// loop's timer (modalLoopPolling.h), and the loop begins once the last modal
// loop has returned.
void Form1::timer1Tick() {
    KillTimer(hwnd_, controlId::Timer1);
    polling_ = true;
    startPollingLoop();
}

void Form1::startPollingLoop() {
    // A tick posted from outside while the loop runs starts no second loop,
    // and one posted before the first tick starts none at all.
    if (!polling_ || loopRunning_ || modalLoops_.active()) {
        return;
    }
    loopRunning_ = true;
    while (passMayStart()) {
        // A pass that fails gives up its line and returns; the next pass
        // carries on. After a change the next look comes without the sleep:
        // a switch between two windows passes through a moment without any,
        // and the window after it may hold the front for a millisecond only.
        if (!pass()) {
            Sleep(1);
        }
        processPendingMessages();
    }
    requestUnload();
}

// The one question, for the polling loop and for a modal loop's timer alike:
// none before the first tick, none inside another (the lookup lets the
// window run, or waits for the user in a message box), and none once a stop
// was asked for, by Close, by the window's end or by a WM_QUIT, also one
// from another program.
bool Form1::passMayStart() const {
    return polling_ && !inPass_ && !stopRequested && hwnd_ != nullptr && !quitRequested();
}

// True when the foreground changed.
bool Form1::pass() {
    const HWND seen = lastForegroundWnd;
    inPass_ = true;
    checkForeground();
    if (input_.takeLateClick()) {
        List1.clickedToTheFront();
    }
    inPass_ = false;
    return lastForegroundWnd != seen;
}

void Form1::checkForeground() {
    const HWND h = GetForegroundWindow();
    input_.pass(lastWindowInFront_);
    if (h == lastForegroundWnd) {
        return;
    }
    const HWND before = lastForegroundWnd;
    lastForegroundWnd = h;
    const FrontTime front = frontTimeNow();
    // Why it came, from what is known at this moment.
    const CauseClues clues = input_.cluesForChange(h, lastWindowInFront_);
    ChangeCause cause;
    cause.cause = causeOf(clues);
    if (cause.cause == Cause::you) {
        cause.by = clues.lastSwitch;
        cause.sinceSwitchMs = clues.sinceSwitchMs;
    }
    cause.sinceInputMs = h != nullptr ? InputWatch::msSinceInput() : -1;

    // The window is read once; the lookup takes the values read here.
    DWORD pid = 0;
    const DWORD thread = bound::GetWindowThreadProcessId(h, &pid);
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
    // The executable, and the rest of what is read of the process; for a
    // Store app's frame, of the app inside it.
    const WindowProcess process = lookUpWindowProcess(h, pid, thread, traitsOf(facts));
    facts.pid = process.pid;
    facts.exePath = process.exePath;

    // The lookup may let the window run; if it was closed meanwhile, nobody
    // can see the line any more.
    if (hwnd_ == nullptr) {
        return;
    }
    const std::string line = buildLogLine(facts);
    LineRecord record = recordOf(line, h, front, facts, process.details, process.frame);
    record.windowBefore = lastWindowInFront_;
    record.cause = cause;
    // If memory ran short while the line was built, the heap's reserve stood
    // in: the line is dropped, so that the reserve can be set aside again,
    // and the window is not taken as seen, so that the next pass tries again.
    if (heapRanShortSinceAsked()) {
        lastForegroundWnd = before;
        return;
    }
    const std::uint32_t serial = List1.append(line, record);
    if (h != nullptr) {
        lastWindowInFront_ = h;
    }
    if (process.appPending && serial != 0) {
        awaitAppInFrame(h, serial, process, facts);
    }
}

// A Store app's frame comes to the front before the app's window is in it,
// on every launch of the app. While the frame stays the newest line, it is
// looked at again for a while, and once the app's window is in it, its line
// names the app. The line is amended rather than followed by another: the
// front changed once.
void Form1::awaitAppInFrame(HWND frame, std::uint32_t serial, const WindowProcess& process,
                            const ForegroundFacts& facts) {
    pendingFrame_.frame = frame;
    pendingFrame_.serial = serial;
    pendingFrame_.since = millisecondClock();
    pendingFrame_.process = process;
    pendingFrame_.facts = facts;
    if (SetTimer(hwnd_, controlId::frameRecheck, frameRecheckMs, nullptr) == 0) {
        pendingFrame_.frame = nullptr;
    }
}

void Form1::recheckFrame() {
    const LineRecord* newest = List1.newestRecord();
    if (pendingFrame_.frame == nullptr || newest == nullptr || newest->serial != pendingFrame_.serial ||
        millisecondClock() - pendingFrame_.since > longestFrameWaitMs) {
        KillTimer(hwnd_, controlId::frameRecheck);
        pendingFrame_.frame = nullptr;
        return;
    }
    WindowProcess& process = pendingFrame_.process;
    ForegroundFacts& facts = pendingFrame_.facts;
    if (!lookUpAppInFrame(pendingFrame_.frame, traitsOf(facts), process)) {
        return;
    }
    facts.pid = process.pid;
    facts.exePath = process.exePath;
    const std::string line = buildLogLine(facts);
    LineRecord record = recordOf(line, newest->window, newest->front, facts, process.details, process.frame);
    record.windowBefore = newest->windowBefore;
    record.cause = newest->cause;
    List1.amend(pendingFrame_.serial, line, record);
    KillTimer(hwnd_, controlId::frameRecheck);
    pendingFrame_.frame = nullptr;
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
