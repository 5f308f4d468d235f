// The log line the program should write for a window, built by the test from
// values it knows: the caption and class it gave its own window, the rectangle
// it asked for, the style it reads back, its own process id.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace e2e {

struct WindowFacts {
    std::string title;      // as the line shows it (leading blanks gone)
    std::string className;  // as the line shows it (leading blanks gone)
    bool visible = true;
    RECT rect = {0, 0, 0, 0};  // screen coordinates
    std::string exe;        // full path, or empty
    DWORD pid = 0;
    DWORD style = 0;
    int iconic = 0;
};

// The facts of an ordinary window of this test process: visible, not
// minimised, a task window (so its executable is this test program).
WindowFacts ordinaryWindowFacts(const std::string& title, const std::string& className,
                                const RECT& rect, DWORD style);

// title='..'  cls='..'  vis=..  pos=l,t,w,h  exe='..'  pid=..  style=..  iconic=..
std::string expectedLine(const WindowFacts& facts);

// The line for "no window in the foreground", which the program writes when
// the foreground passes through nothing during a switch between processes.
std::string noWindowLine();

// The lines whose pid field is `pid`.
std::vector<std::string> linesOfProcess(const std::vector<std::string>& lines, DWORD pid);

// The lines other than the "no window" line.
std::vector<std::string> withoutNoWindowLines(const std::vector<std::string>& lines);

// How often `line` occurs in `lines`.
int occurrences(const std::vector<std::string>& lines, const std::string& line);

// Index of the first occurrence of `line`, or -1.
int indexOf(const std::vector<std::string>& lines, const std::string& line);

// One line per element, for failure messages.
std::string listing(const std::vector<std::string>& lines);

}  // namespace e2e
