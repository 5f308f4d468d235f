// The line the program writes for a window of the test's own that comes to
// the front, beside the line it should write.
#pragma once

#include <string>
#include <vector>

#include "e2e/harness/program.h"
#include "e2e/harness/testWindow.h"

namespace e2e {

struct LineAndExpected {
    std::string line;      // as logged (or a text saying that none came)
    std::string expected;  // built by the test
};

// Shows a window made from `plan`, brings it to the front and waits for the
// program's line about it; the expected line has `exe` in its executable
// field. The window goes again afterwards.
LineAndExpected lineForWindowInFront(const Program& program, const WindowSpec& plan,
                                     const std::string& exe);

// An ordinary window of the test's own with `caption` at `rect`.
WindowSpec planFor(const std::string& caption, const RECT& rect);

// The line for `window`, made from `plan`: an ordinary window of this test.
std::string lineOf(const TestWindow& window, const WindowSpec& plan);

// The lines of this test's own windows.
std::vector<std::string> ourLines(const std::vector<std::string>& lines);

}  // namespace e2e
