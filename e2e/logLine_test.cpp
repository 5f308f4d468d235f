// The line the running program writes for a window of ours in the
// foreground: caption, class, visibility, rectangle, executable, process id,
// style and minimised state, each checked against what we created. One
// program logs every row's window in turn.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "e2e/harness/environment.h"
#include "e2e/harness/expectedLine.h"
#include "e2e/harness/program.h"
#include "e2e/harness/testWindow.h"

namespace e2e {
namespace {

const char usualClass[] = "TarnwickE2E";
const RECT usualRect = {200, 150, 560, 390};
const DWORD overlapped = WS_OVERLAPPEDWINDOW;
const DWORD popUp = WS_POPUP | WS_CAPTION | WS_SYSMENU;

// A window to make, and what its line should say.
struct Row {
    const char* caption;     // given to the window
    const char* title;       // as the line shows it
    const char* className;   // given to the window
    const char* classShown;  // as the line shows it
    RECT rect;
    DWORD style;
    bool minimised;          // shown minimised: where the platform puts it, iconic=1
    bool taskWindow;         // false: no executable is looked up for it
    const char* shows;       // a piece of the line to look for, or ""
};

const Row rows[] = {
    // Captions: leading blanks go, trailing ones stay; apostrophes and tabs
    // are written as they are.
    {"   Padded caption   ", "Padded caption   ", usualClass, usualClass, usualRect, overlapped, false, true, ""},
    {"Bob's report 'final'", "Bob's report 'final'", usualClass, usualClass, usualRect, overlapped, false, true, ""},
    {"\tcolumn one\tcolumn two\t", "\tcolumn one\tcolumn two\t", usualClass, usualClass, usualRect, overlapped,
     false, true, ""},
    {"", "", usualClass, usualClass, usualRect, overlapped, false, true, ""},
    {"      ", "", usualClass, usualClass, usualRect, overlapped, false, true, ""},
    // Class names. The name comes back in a buffer of blanks; the blanks
    // behind its NUL are trimmed before the cut at the NUL, so blanks that
    // end the name itself stand in front of the NUL and stay, as a
    // caption's do.
    {"Leading blanks in the class", "Leading blanks in the class", "   TarnwickLeadingBlanks",
     "TarnwickLeadingBlanks", usualRect, overlapped, false, true, ""},
    {"Spaced class", "Spaced class", "  Tarnwick Spaced Class  ", "Tarnwick Spaced Class  ", usualRect, overlapped,
     false, true, ""},
    {"Quoted class", "Quoted class", "Tarnwick'Quoted'Class", "Tarnwick'Quoted'Class", usualRect, overlapped, false,
     true, ""},
    // Position and size come from the window rectangle, minus signs and all.
    {"Placed window", "Placed window", usualClass, usualClass, {37, 51, 37 + 413, 51 + 287}, overlapped, false, true,
     ""},
    {"Partly off screen", "Partly off screen", usualClass, usualClass, {-120, -80, -120 + 400, -80 + 300}, overlapped,
     false, true, "  pos=-120,-80,400,300  "},
    // A style with its top bit set shows eight hex digits; a pop-up is no
    // task window.
    {"Pop-up window", "Pop-up window", usualClass, usualClass, {300, 200, 300 + 240, 200 + 120}, popUp, false, false,
     "  style=94C80000  iconic=0"},
    {"Minimised window", "Minimised window", usualClass, usualClass, usualRect, overlapped, true, true, ""},
};

TEST(LogLine, EachWindowInFrontGetsItsLine) {
    Program program;
    ASSERT_TRUE(program.start()) << program.failure();
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string("window '") + row.caption + "' of class '" + row.className + "'");
        // The log up to here: a window shown minimised takes the foreground
        // as it opens, before it is brought to the front.
        const std::size_t before = program.lines().size();
        WindowSpec plan;
        plan.caption = row.caption;
        plan.className = row.className;
        plan.rect = row.rect;
        plan.style = row.style;
        plan.showCommand = row.minimised ? SW_SHOWMINIMIZED : SW_SHOWNOACTIVATE;
        TestWindow window(plan);
        ASSERT_TRUE(window.valid());
        ASSERT_EQ(IsIconic(window.handle()) != FALSE, row.minimised);

        WindowFacts facts = ordinaryWindowFacts(row.title, row.classShown, row.rect, window.style());
        if (row.minimised) {
            facts.rect = window.rect();
            facts.iconic = 1;
            ASSERT_NE(facts.style & WS_MINIMIZE, 0u);
        }
        if (!row.taskWindow) {
            facts.exe = "";
        }
        const std::string expected = expectedLine(facts);

        // The line for this window, and nothing else for any window of ours.
        ASSERT_TRUE(bringToFront(window.handle()));
        std::vector<std::string> seen;
        auto oursSince = [before](const std::vector<std::string>& lines) {
            std::vector<std::string> added;
            for (std::size_t i = before; i < lines.size(); ++i) {
                added.push_back(lines[i]);
            }
            return linesOfProcess(added, GetCurrentProcessId());
        };
        const bool logged = program.waitForLines(
            [&](const std::vector<std::string>& lines) { return !oursSince(lines).empty(); }, seen);
        ASSERT_TRUE(logged) << "no line for our window; expected\n  " << expected << "\nlog:\n" << listing(seen);
        EXPECT_EQ(oursSince(seen), std::vector<std::string>{expected}) << "log:\n" << listing(seen);
        EXPECT_NE(oursSince(seen).front().find(row.shows), std::string::npos) << oursSince(seen).front();
    }
}

}  // namespace
}  // namespace e2e
