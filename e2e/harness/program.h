// The program under test, started by the test and owned by it: found by its
// window class and process id, read through its list box, driven through its
// controls, and ended on teardown if it is still running.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "e2e/harness/waiting.h"

namespace e2e {

struct LaunchOptions {
    // Trace the program's calls into winmm's timeBeginPeriod and timeEndPeriod,
    // and its window procedures, through Wine's relay channel. The trace goes
    // to the standard error log (environment.h), which must be set.
    bool traceCalls = false;

    // Something to do before the first tick of the program's timer: press
    // Close, post WM_QUIT to its thread, or start the window's keyboard move
    // loop (modalLoops.h). The program is started with this process as its
    // debugger and held at a debug event once its window exists; the message
    // is queued there, and the program is then let go. Queued messages come
    // before any timer message, so they are handled before the tick whatever
    // the machine's speed.
    enum class BeforeFirstTick { nothing, pressClose, postQuit, startMoveLoop };
    BeforeFirstTick beforeFirstTick = BeforeFirstTick::nothing;

    // The program file to start, as a Windows path; empty: the one that
    // TARNWICK_E2E_EXE names. A copy elsewhere lets a test choose the
    // program's folder and file name.
    std::string exePath;

    // Extra variables for the program's environment, "NAME=value" each. Each
    // replaces a variable of the same name from this process's environment.
    // (Wine drops WINEDLLOVERRIDES from the environment of a process started
    // by another; see dllOverridesKey in registryValue.h.)
    std::vector<std::string> environment;

    // The program's current folder; empty: this process's.
    std::string currentDirectory;

    // Further entry points for the relay trace (traceCalls), separated by
    // ";", for example "user32.MessageBoxA".
    std::string moreTracedFunctions;

    // start() waits until the polling loop has written its first line. A
    // test that expects the first pass to stop in a message box says no.
    bool waitForFirstLine = true;
};

class Program {
public:
    Program() = default;
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    // Starts the program and waits for its main window and controls. With
    // the default options it also waits until the polling loop has written
    // its first line, so the loop is known to run (see waitForFirstLine).
    // False, with failure() saying why, when any of that does not happen.
    bool start(const LaunchOptions& options = {});
    const std::string& failure() const { return failure_; }

    DWORD pid() const { return processInfo_.dwProcessId; }
    DWORD mainThreadId() const { return processInfo_.dwThreadId; }
    HANDLE process() const { return processInfo_.hProcess; }

    HWND window() const { return window_; }
    HWND list() const { return controls_.list; }
    HWND panel() const { return controls_.panel; }
    HWND clearButton() const { return controls_.clearButton; }
    HWND topMostBox() const { return controls_.topMostBox; }
    HWND closeButton() const { return controls_.closeButton; }

    // The log as it is now; empty when the list box does not answer.
    std::vector<std::string> lines() const;

    // Pumps until the log satisfies `condition`; `lastSeen` receives the last
    // log read, for failure messages.
    bool waitForLines(const std::function<bool(const std::vector<std::string>&)>& condition,
                      std::vector<std::string>& lastSeen, DWORD timeoutMs = defaultTimeoutMs) const;

    // Pumps until the log holds a line of process `pid` whose title field is
    // `title`, and returns the first such line; empty text when none comes.
    // `lastSeen` receives the last log read, for failure messages.
    std::string waitForLineOf(DWORD pid, const std::string& title,
                              std::vector<std::string>& lastSeen,
                              DWORD timeoutMs = defaultTimeoutMs) const;

    // The same, for a comparison with the expected line: when no line comes,
    // a text that says so and shows the log (and equals no line).
    std::string lineOf(DWORD pid, const std::string& title) const;

    // Has the program answer `answers` questions one after another. Each
    // answer comes from a message step of the polling loop, and a pass of the
    // loop lies between two message steps, so the loop makes about as many
    // passes meanwhile. False when the program stops answering.
    bool letTheLoopRun(int answers = 200) const;

    bool hasExited() const;
    bool waitForExit(DWORD timeoutMs = defaultTimeoutMs) const;
    DWORD exitCode() const;

    // The relay trace lines of the program's main thread (traceCalls), as
    // written to the standard error log since the program was started; read
    // them with relayTrace.h.
    std::vector<std::string> trace() const;

private:
    bool launch(const LaunchOptions& options);
    bool holdUntilWindowAndAct(LaunchOptions::BeforeFirstTick action);
    bool findWindowAndControls();

    PROCESS_INFORMATION processInfo_ = {};
    long long traceStart_ = 0;
    HWND window_ = nullptr;
    struct Controls {
        HWND list, panel, clearButton, topMostBox, closeButton;
    } controls_ = {};
    std::string failure_;
};

// The top-level window of class "TarnwickForm1" that belongs to `pid`, or null.
HWND findProgramWindow(DWORD pid);

// Presses `button` by keyboard: a space key goes down and up on it. Queued,
// so it needs no answer from the program and does not activate its window.
void pressByKeyboard(HWND button);

// Clicks `button` with BM_CLICK, as a mouse click would, and waits until its
// window has handled the click. False when it does not answer.
bool clickButton(HWND button);

// Double-clicks line `index` of the list box `list`: the mouse messages of a
// double-click at the middle of the line are queued to it. False when the
// line's rectangle cannot be read.
bool doubleClickLine(HWND list, int index);

}  // namespace e2e
