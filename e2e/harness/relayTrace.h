// Reading Wine's relay trace of the program (LaunchOptions::traceCalls): the
// calls it made into the traced entry points, with their arguments, and the
// messages its window procedures were given, as Wine writes them:
//   0024:Call user32.MessageBoxA(000700b4,003e7f30 "text",0040a000 "Tarnwick",00000034) ret=...
//   0024:Call window proc 00402B68 (hwnd=000700B4,msg=WM_CLOSE,wp=00000000,lp=00000000)
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace e2e {

// The lines of `log` (the standard error log) written by thread `threadId`.
std::vector<std::string> traceLinesOfThread(const std::string& log, DWORD threadId);

// One call of a traced entry point.
struct TracedCall {
    int index = -1;                      // of its line in the trace
    std::string argumentText;            // all between the parentheses
    std::vector<std::string> arguments;  // that text split at its commas
};

// The calls of `function` in `trace`, in order. `function` is "dll.Name"
// (the DLL's name in any case, as Wine writes it in upper case at times),
// or "Name" for the entry point of that name in any DLL.
std::vector<TracedCall> callsOf(const std::vector<std::string>& trace, const std::string& function);

// How many calls of `function` there are; with `arguments` ("00000001")
// only those with exactly that argument text.
int countCalls(const std::vector<std::string>& trace, const std::string& function,
               const std::string& arguments = std::string());

// The index of the first call of `function` at or after line `from`, or -1.
int findCall(const std::vector<std::string>& trace, const std::string& function, int from = 0);

// The first index in `trace` at or after `from` of a line containing `text`, or -1.
int findInTrace(const std::vector<std::string>& trace, const std::string& text, int from = 0);

// An integer or handle argument as a call line shows it: "000700b4".
std::string tracedHandle(HWND window);

// A string argument's text as a call line quotes it: "C:\\x" in quotes,
// each backslash doubled. quotedPart gives that part of an argument (which
// starts with the pointer), or the whole argument when it has no quotes.
std::string tracedString(const std::string& text);
std::string quotedPart(const std::string& argument);

// A window handle as the trace shows it in a call of the program's window
// procedures: "hwnd=0001008E" for the 32-bit program, with 16 digits for the
// 64-bit one.
std::string tracedWindow(HWND window);

// The index in `trace` at or after `from` of the first call of a window
// procedure for `window` with `message` ("WM_CLOSE", "WM_TIMER,wp=00000001"),
// or -1; countMessages counts them all.
int findMessage(const std::vector<std::string>& trace, HWND window, const std::string& message,
                int from = 0);
int countMessages(const std::vector<std::string>& trace, HWND window, const std::string& message);

}  // namespace e2e
