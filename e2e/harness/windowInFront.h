// The line the program writes for a window of the test's own that comes to
// the front, beside the line it should write.
#pragma once

#include <string>

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

}  // namespace e2e
