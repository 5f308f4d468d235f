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

WindowSpec planFor(const std::string& caption, const RECT& rect) {
    WindowSpec plan;
    plan.caption = caption;
    plan.rect = rect;
    return plan;
}

std::string lineOf(const TestWindow& window, const WindowSpec& plan) {
    return expectedLine(ordinaryWindowFacts(plan.caption, plan.className, plan.rect, window.style()));
}

std::vector<std::string> ourLines(const std::vector<std::string>& lines) {
    return linesOfProcess(lines, GetCurrentProcessId());
}

}  // namespace e2e
