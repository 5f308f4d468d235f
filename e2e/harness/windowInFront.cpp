#include "e2e/harness/windowInFront.h"

#include <windows.h>

#include "e2e/harness/expectedLine.h"

namespace e2e {

LineAndExpected lineForWindowInFront(const Program& program, const WindowSpec& plan,
                                     const std::string& exe) {
    TestWindow window(plan);
    if (!window.valid() || !bringToFront(window.handle())) {
        return {"(the window '" + plan.caption + "' did not come to the front)", "a line for it"};
    }
    WindowFacts facts = ordinaryWindowFacts(plan.caption, plan.className, window.rect(), window.style());
    facts.exe = exe;
    return {program.lineOf(GetCurrentProcessId(), plan.caption), expectedLine(facts)};
}

}  // namespace e2e
