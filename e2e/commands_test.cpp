// Which foreground changes make a line, and the user's commands: Clear,
// TopMost and the copy of a line by double-click.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "e2e/harness/clipboard.h"
#include "e2e/harness/expectedLine.h"
#include "e2e/harness/hover.h"
#include "e2e/harness/program.h"
#include "e2e/harness/testWindow.h"
#include "e2e/harness/windowInFront.h"

namespace e2e {
namespace {

// Whether `upper` lies above `lower` in the z-order of top-level windows.
bool isAbove(HWND upper, HWND lower) {
    for (HWND w = GetTopWindow(nullptr); w != nullptr; w = GetWindow(w, GW_HWNDNEXT)) {
        if (w == upper) {
            return true;
        }
        if (w == lower) {
            return false;
        }
    }
    return false;
}

DWORD extendedStyle(HWND window) {
    return static_cast<DWORD>(GetWindowLongA(window, GWL_EXSTYLE));
}

RECT rectOf(HWND window) {
    RECT r = {0, 0, 0, 0};
    GetWindowRect(window, &r);
    return r;
}

bool sameRect(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

// Puts `window` on top of its band of the window order without activating it.
HWND raisedWithoutActivating(HWND window) {
    SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    pumpMessages();
    return window;
}

class Commands : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(program_.start()) << program_.failure(); }

    // Brings `window` to the front and waits until the log holds `count`
    // lines of our windows; `seen` receives the log.
    void frontAndWait(const TestWindow& window, std::size_t count, std::vector<std::string>& seen) {
        ASSERT_TRUE(window.valid());
        ASSERT_TRUE(bringToFront(window.handle()));
        ASSERT_TRUE(program_.waitForLines(
            [count](const std::vector<std::string>& lines) { return ourLines(lines).size() >= count; },
            seen))
            << "waited for " << count << " lines of our windows; log:\n" << listing(seen);
    }

    bool checkedTopMost() {
        DWORD_PTR state = 0;
        SendMessageTimeoutA(program_.topMostBox(), BM_GETCHECK, 0, 0, SMTO_NORMAL,
                            defaultTimeoutMs, &state);
        return state == BST_CHECKED;
    }

    Program program_;
};

TEST_F(Commands, SameWindowOnConsecutivePassesGivesOneLine) {
    const WindowSpec plan = planFor("Window A", {120, 100, 480, 340});
    TestWindow a(plan);
    std::vector<std::string> seen;
    frontAndWait(a, 1, seen);
    EXPECT_EQ(ourLines(seen), std::vector<std::string>{lineOf(a, plan)}) << listing(seen);

    // Many passes with the same window in front, also when it is asked to
    // the front again.
    ASSERT_TRUE(program_.letTheLoopRun());
    ASSERT_TRUE(bringToFront(a.handle()));
    ASSERT_TRUE(program_.letTheLoopRun());
    seen = program_.lines();
    EXPECT_EQ(ourLines(seen), std::vector<std::string>{lineOf(a, plan)}) << listing(seen);
}

TEST_F(Commands, ForegroundAThenBThenAGivesThreeLines) {
    const WindowSpec planA = planFor("Window A", {120, 100, 480, 340});
    const WindowSpec planB = planFor("Window B", {520, 300, 860, 520});
    TestWindow a(planA);
    TestWindow b(planB);
    const std::string lineA = lineOf(a, planA);
    const std::string lineB = lineOf(b, planB);
    std::vector<std::string> seen;

    frontAndWait(a, 1, seen);
    frontAndWait(b, 2, seen);
    frontAndWait(a, 3, seen);
    ASSERT_TRUE(program_.letTheLoopRun());
    seen = program_.lines();
    EXPECT_EQ(ourLines(seen), (std::vector<std::string>{lineA, lineB, lineA})) << listing(seen);
}

TEST_F(Commands, ClearEmptiesTheListAndOnlyANewForegroundWindowLogsAgain) {
    const WindowSpec planA = planFor("Window A", {120, 100, 480, 340});
    const WindowSpec planB = planFor("Window B", {520, 300, 860, 520});
    TestWindow a(planA);
    TestWindow b(planB);
    std::vector<std::string> seen;
    frontAndWait(a, 1, seen);

    ASSERT_TRUE(clickButton(program_.clearButton()));
    ASSERT_TRUE(program_.waitForLines(
        [](const std::vector<std::string>& lines) { return lines.empty(); }, seen))
        << "the list was not emptied:\n" << listing(seen);

    // Window A is still in front: the loop keeps seeing it and logs nothing.
    ASSERT_EQ(GetForegroundWindow(), a.handle());
    ASSERT_TRUE(program_.letTheLoopRun());
    seen = program_.lines();
    EXPECT_TRUE(seen.empty()) << listing(seen);

    frontAndWait(b, 1, seen);
    EXPECT_EQ(withoutNoWindowLines(seen), std::vector<std::string>{lineOf(b, planB)})
        << listing(seen);
}

TEST_F(Commands, TopMostSetsAndClearsTopmostWithoutTakingTheForeground) {
    const WindowSpec plan = planFor("Window A", {120, 100, 480, 340});
    TestWindow a(plan);
    std::vector<std::string> seen;
    frontAndWait(a, 1, seen);
    const HWND form = program_.window();
    const RECT placed = rectOf(form);
    ASSERT_EQ(extendedStyle(form) & WS_EX_TOPMOST, 0u);
    ASSERT_FALSE(checkedTopMost());

    ASSERT_TRUE(clickButton(program_.topMostBox()));
    EXPECT_TRUE(waitUntil([form] { return (extendedStyle(form) & WS_EX_TOPMOST) != 0; }));
    EXPECT_TRUE(checkedTopMost());
    EXPECT_EQ(GetForegroundWindow(), a.handle());
    EXPECT_TRUE(sameRect(rectOf(form), placed));
    EXPECT_TRUE(isAbove(form, raisedWithoutActivating(a.handle())))
        << "a topmost window stays above a normal one";

    ASSERT_TRUE(clickButton(program_.topMostBox()));
    EXPECT_TRUE(waitUntil([form] { return (extendedStyle(form) & WS_EX_TOPMOST) == 0; }));
    EXPECT_FALSE(checkedTopMost());
    EXPECT_EQ(GetForegroundWindow(), a.handle());
    EXPECT_TRUE(sameRect(rectOf(form), placed));
    // The program's window may still be settling into its new place in the
    // window order; a normal window must get above it soon, which it never
    // could while the program stayed topmost.
    EXPECT_TRUE(waitUntil([&] { return isAbove(raisedWithoutActivating(a.handle()), form); }))
        << "back in the normal order";

    // The program never came to the front, so it logged nothing more.
    ASSERT_TRUE(program_.letTheLoopRun());
    EXPECT_EQ(program_.lines(), seen) << listing(program_.lines());
}

TEST_F(Commands, DoubleClickCopiesExactlyThatLine) {
    const WindowSpec planA = planFor("Window A", {120, 100, 480, 340});
    const WindowSpec planB = planFor("Window B", {520, 300, 860, 520});
    TestWindow a(planA);
    TestWindow b(planB);
    const std::string lineA = lineOf(a, planA);
    const std::string lineB = lineOf(b, planB);
    std::vector<std::string> seen;
    frontAndWait(a, 1, seen);
    frontAndWait(b, 2, seen);

    // With the program in front, no foreground change can add a line while
    // the double-click is handled.
    ASSERT_TRUE(bringToFront(program_.window()));
    ASSERT_TRUE(program_.waitForLines(
        [&](const std::vector<std::string>& lines) {
            return !linesOfProcess(lines, program_.pid()).empty() &&
                   lines.back().find("cls='TarnwickForm1'") != std::string::npos;
        },
        seen))
        << listing(seen);

    const UINT earlierFormat = RegisterClipboardFormatA("TarnwickE2E.EarlierContent");
    for (const std::string& wanted : {lineA, lineB}) {
        const int index = indexOf(seen, wanted);
        ASSERT_GE(index, 0) << listing(seen);
        ASSERT_TRUE(putOnClipboard(a.handle(), "what the clipboard held before", earlierFormat));
        ASSERT_EQ(GetClipboardOwner(), a.handle());

        ASSERT_TRUE(doubleClickLine(program_.list(), index));
        ASSERT_TRUE(waitUntil([this] { return GetClipboardOwner() == program_.window(); }))
            << "the program did not take the clipboard";
        std::string copied;
        ASSERT_TRUE(readClipboardText(a.handle(), copied));
        EXPECT_EQ(copied, wanted);
        EXPECT_FALSE(clipboardOffers(earlierFormat)) << "the earlier content must be gone";
    }
    EXPECT_EQ(program_.lines(), seen) << "copying changes no line";
}

// Hovering a line tells when its window came to the front and how long it
// stayed there; the newest line's window is still in front. The line itself,
// and what Copy takes from it, stay as they are.
TEST_F(Commands, HoveringALineTellsItsTimeAndHowLongItsWindowStayedInFront) {
    // Away from the program's window, so that nothing covers its list.
    const WindowSpec planA = planFor("Hovered A", {560, 460, 860, 620});
    const WindowSpec planB = planFor("Hovered B", {600, 500, 900, 660});
    TestWindow a(planA);
    TestWindow b(planB);
    ASSERT_TRUE(a.valid() && b.valid());
    SYSTEMTIME before;
    GetLocalTime(&before);
    ASSERT_TRUE(bringToFront(a.handle()));
    waitUntil([] { return false; }, 300);
    ASSERT_TRUE(bringToFront(b.handle()));
    std::vector<std::string> seen;
    ASSERT_TRUE(program_.waitForLines(
        [](const std::vector<std::string>& lines) { return ourLines(lines).size() >= 2; }, seen))
        << listing(seen);
    const int indexA = indexOf(seen, lineOf(a, planA));
    const int indexB = indexOf(seen, lineOf(b, planB));
    ASSERT_GE(indexA, 0) << listing(seen);
    ASSERT_EQ(indexB, static_cast<int>(seen.size()) - 1) << "B's line is the newest";

    POINT lineA = {0, 0};
    POINT lineB = {0, 0};
    ASSERT_TRUE(middleOfLine(program_.list(), indexA, lineA));
    ASSERT_TRUE(middleOfLine(program_.list(), indexB, lineB));
    ASSERT_TRUE(movePointerTo(lineA));
    // The tip's first line; what was read of the process follows below it.
    const auto firstLine = [](const std::string& tip) { return tip.substr(0, tip.find_first_of("\r\n")); };
    const std::string tipA = firstLine(waitForTooltipText(program_.pid(), 5000));
    unsigned year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0, millisecond = 0, held = 0;
    ASSERT_EQ(std::sscanf(tipA.c_str(), "%4u-%2u-%2u %2u:%2u:%2u.%3u, in front for %u ms", &year, &month, &day,
                          &hour, &minute, &second, &millisecond, &held),
              8)
        << "tooltip over A's line: '" << tipA << "'";
    EXPECT_EQ(tipA.size(),
              std::string("yyyy-mm-dd hh:mm:ss.mmm, in front for  ms").size() + std::to_string(held).size());
    EXPECT_EQ(year * 10000 + month * 100 + day, before.wYear * 10000u + before.wMonth * 100u + before.wDay);
    const long shown = ((static_cast<long>(hour) * 60 + minute) * 60 + second) * 1000 + millisecond;
    const long ours = ((static_cast<long>(before.wHour) * 60 + before.wMinute) * 60 + before.wSecond) * 1000 +
                      before.wMilliseconds;
    EXPECT_LT(std::labs(shown - ours), 1000) << tipA;
    EXPECT_GE(held, 250u) << tipA;
    EXPECT_LE(held, 400u) << tipA;

    ASSERT_TRUE(movePointerTo(lineB));
    const std::string tipB = firstLine(waitForTooltipText(program_.pid(), 5000));
    EXPECT_EQ(tipB.substr(tipB.size() > 16 ? tipB.size() - 16 : 0), ", still in front") << tipB;
    EXPECT_EQ(tipB.size(), std::string("yyyy-mm-dd hh:mm:ss.mmm, still in front").size()) << tipB;

    ASSERT_TRUE(doubleClickLine(program_.list(), indexA));
    ASSERT_TRUE(waitUntil([this] { return GetClipboardOwner() == program_.window(); }));
    std::string copied;
    ASSERT_TRUE(readClipboardText(a.handle(), copied));
    EXPECT_EQ(copied, lineOf(a, planA));
    EXPECT_EQ(program_.lines(), seen) << "the lines are as they were";

    // The program ends cleanly with the tip on show.
    ASSERT_TRUE(movePointerTo(lineA));
    ASSERT_FALSE(waitForTooltipText(program_.pid(), 5000).empty());
    ASSERT_TRUE(clickButton(program_.closeButton()));
    ASSERT_TRUE(program_.waitForExit());
    EXPECT_EQ(program_.exitCode(), 0u);
}

}  // namespace
}  // namespace e2e
