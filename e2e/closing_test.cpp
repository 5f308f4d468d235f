// Every way of ending the program ends it, and each restores the system timer
// resolution exactly once: timeBeginPeriod(1) and timeEndPeriod(1) are each
// called once over the whole run. The calls are counted in Wine's relay
// trace of the program, which also shows its window procedures at work.
#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "e2e/harness/expectedLine.h"
#include "e2e/harness/hover.h"
#include "e2e/harness/keyboard.h"
#include "e2e/harness/modalLoops.h"
#include "e2e/harness/program.h"
#include "e2e/harness/relayTrace.h"
#include "e2e/harness/testWindow.h"

namespace e2e {
namespace {

class Closing : public ::testing::Test {
protected:
    void start(LaunchOptions::BeforeFirstTick beforeFirstTick = LaunchOptions::BeforeFirstTick::nothing) {
        LaunchOptions options;
        options.traceCalls = true;
        options.beforeFirstTick = beforeFirstTick;
        ASSERT_TRUE(program_.start(options)) << program_.failure();
        if (beforeFirstTick == LaunchOptions::BeforeFirstTick::nothing) {
            // The polling loop runs: it has logged a line.
            ASSERT_GT(countMessages(program_.trace(), program_.list(), "LB_ADDSTRING"), 0);
        }
    }

    // The program ends by itself, and over its whole run it raised and
    // restored the timer resolution once each, in that order.
    void expectEndedWithTimerResolutionRestoredOnce(int ticks = 1, DWORD withinMs = defaultTimeoutMs) {
        ASSERT_TRUE(program_.waitForExit(withinMs)) << "the program is still running";
        EXPECT_EQ(program_.exitCode(), 0u);
        const std::vector<std::string> trace = program_.trace();
        EXPECT_EQ(countCalls(trace, "winmm.timeBeginPeriod"), 1);
        EXPECT_EQ(countCalls(trace, "winmm.timeBeginPeriod", "00000001"), 1);
        EXPECT_EQ(countCalls(trace, "winmm.timeEndPeriod"), 1);
        EXPECT_EQ(countCalls(trace, "winmm.timeEndPeriod", "00000001"), 1);
        EXPECT_LT(findCall(trace, "winmm.timeBeginPeriod"), findCall(trace, "winmm.timeEndPeriod"));
        EXPECT_EQ(countMessages(trace, program_.window(), "WM_TIMER,wp=00000001"), ticks)
            << "Timer1 fires once";
    }

    Program program_;
};

TEST_F(Closing, CloseButtonEndsTheProgram) {
    start();
    ASSERT_TRUE(clickButton(program_.closeButton()));
    expectEndedWithTimerResolutionRestoredOnce();
}

TEST_F(Closing, SysCommandCloseEndsTheProgram) {
    start();
    // What the close box and the system menu's Close send.
    PostMessageA(program_.window(), WM_SYSCOMMAND, SC_CLOSE, 0);
    expectEndedWithTimerResolutionRestoredOnce();
}

// Clicks the window's close box with the mouse.
bool clickCloseBox(HWND window) {
    POINT closeBox = {0, 0};
    // In a Wine virtual desktop a pointer set once may bounce back.
    if (!findNonClientPoint(window, HTCLOSE, closeBox) || !movePointerTo(closeBox)) {
        return false;
    }
    INPUT clicks[2] = {};
    clicks[0].type = INPUT_MOUSE;
    clicks[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    clicks[1].type = INPUT_MOUSE;
    clicks[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    return SendInput(2, clicks, sizeof(INPUT)) == 2;
}

TEST_F(Closing, ClickOnTheCloseBoxEndsTheProgram) {
    start();
    ASSERT_TRUE(bringToFront(program_.window()));
    ASSERT_TRUE(clickCloseBox(program_.window())) << "no close box found in the title bar";
    expectEndedWithTimerResolutionRestoredOnce();
}

TEST_F(Closing, CloseRequestEndsTheProgram) {
    start();
    PostMessageA(program_.window(), WM_CLOSE, 0, 0);
    expectEndedWithTimerResolutionRestoredOnce();
}

TEST_F(Closing, AltF4EndsTheProgram) {
    start();
    ASSERT_TRUE(bringToFront(program_.window()));
    pressKeys({VK_MENU, VK_F4});
    expectEndedWithTimerResolutionRestoredOnce();
}

TEST_F(Closing, SystemMenuCloseEndsTheProgram) {
    start();
    ASSERT_TRUE(bringToFront(program_.window()));
    // Alt+Space opens the system menu; C chooses its Close.
    pressKeys({VK_MENU, VK_SPACE});
    ASSERT_TRUE(waitUntil([this] { return inModalLoop(program_.mainThreadId(), GUI_INMENUMODE); }))
        << "the system menu did not open";
    pressKeys({'C'});
    expectEndedWithTimerResolutionRestoredOnce();
}

TEST_F(Closing, EscPressesCloseAndEndsTheProgram) {
    start();
    ASSERT_TRUE(bringToFront(program_.window()));
    pressKeys({VK_ESCAPE});
    expectEndedWithTimerResolutionRestoredOnce();
}

TEST_F(Closing, CloseBeforeTheFirstTickLogsNothingAndEndsTheProgram) {
    start(LaunchOptions::BeforeFirstTick::pressClose);
    expectEndedWithTimerResolutionRestoredOnce();
    const std::vector<std::string> trace = program_.trace();
    // The press was handled, then the tick came and ended the program at
    // once: no line was ever added to the list.
    const int press = findInTrace(trace, "(" + tracedWindow(program_.closeButton()) + ",msg=WM_KEYUP,");
    ASSERT_GE(press, 0) << "the press of Close is not in the trace";
    EXPECT_GT(findInTrace(trace, "(" + tracedWindow(program_.window()) + ",msg=WM_TIMER,"), press);
    EXPECT_EQ(countMessages(trace, program_.list(), "LB_ADDSTRING"), 0);
}

// A WM_QUIT from another program is a request to stop like any other.
TEST_F(Closing, QuitPostedFromOutsideEndsTheProgram) {
    start();
    ASSERT_TRUE(PostThreadMessageA(program_.mainThreadId(), WM_QUIT, 0, 0));
    expectEndedWithTimerResolutionRestoredOnce(1, 3000);
}

TEST_F(Closing, QuitBeforeTheFirstTickEndsTheProgram) {
    start(LaunchOptions::BeforeFirstTick::postQuit);
    expectEndedWithTimerResolutionRestoredOnce(0, 3000);
    EXPECT_EQ(countMessages(program_.trace(), program_.list(), "LB_ADDSTRING"), 0);
}

// Every way out ends the program from inside the window's modal loops too.
// Wine's move loop takes the WM_QUIT that the window's end posts, or one
// from another program, and does not post it again; a menu's loop takes it
// and goes on waiting for the user.
struct Loop {
    const char* name;
    DWORD flag;
    bool (*enter)(const Program& program);
};

struct WayOut {
    const char* name;
    void (*take)(const Program& program);
};

class ClosingInsideALoop : public Closing, public ::testing::WithParamInterface<std::tuple<Loop, WayOut>> {};

TEST_P(ClosingInsideALoop, EndsTheProgram) {
    start();
    const Loop& loop = std::get<0>(GetParam());
    ASSERT_TRUE(loop.enter(program_));
    ASSERT_TRUE(waitUntil([&] { return inModalLoop(program_.mainThreadId(), loop.flag); }))
        << "the loop did not begin";
    std::get<1>(GetParam()).take(program_);
    expectEndedWithTimerResolutionRestoredOnce(1, 5000);
}

INSTANTIATE_TEST_SUITE_P(
    WaysOut, ClosingInsideALoop,
    ::testing::Combine(
        ::testing::Values(Loop{"KeyboardMoveLoop", GUI_INMOVESIZE,
                               [](const Program& p) {
                                   startMoveLoop(p.window());
                                   return true;
                               }},
                          Loop{"CaptionMenu", GUI_INMENUMODE, [](const Program& p) { return openCaptionMenu(p.window()); }},
                          Loop{"ListMenu", GUI_INMENUMODE,
                               [](const Program& p) {
                                   return PostMessageA(p.list(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(p.list()),
                                                       static_cast<LPARAM>(-1)) != FALSE;
                               }}),
        ::testing::Values(
            WayOut{"CloseRequest", [](const Program& p) { PostMessageA(p.window(), WM_CLOSE, 0, 0); }},
            WayOut{"SystemCommandClose", [](const Program& p) { PostMessageA(p.window(), WM_SYSCOMMAND, SC_CLOSE, 0); }},
            WayOut{"QuitFromOutside", [](const Program& p) { PostThreadMessageA(p.mainThreadId(), WM_QUIT, 0, 0); }})),
    [](const ::testing::TestParamInfo<std::tuple<Loop, WayOut>>& info) {
        return std::string(std::get<0>(info.param).name) + "_" + std::get<1>(info.param).name;
    });

// The first tick comes inside a move loop begun at once. The loop's timer
// polls meanwhile, the polling loop begins once the move loop has ended, and
// Close ends the program.
TEST_F(Closing, AMoveLoopBeforeTheFirstTickLeavesThePollingLoopToItsEnd) {
    start(LaunchOptions::BeforeFirstTick::startMoveLoop);
    ASSERT_TRUE(waitUntil([this] { return inModalLoop(program_.mainThreadId(), GUI_INMOVESIZE); }))
        << "the window's move loop did not begin";
    ASSERT_TRUE(waitUntil([this] { return findMessage(program_.trace(), program_.window(), "WM_TIMER,wp=00000001") >= 0; }))
        << "Timer1 did not tick";
    ASSERT_TRUE(PostMessageA(program_.window(), WM_KEYDOWN, VK_RETURN, 0));
    ASSERT_TRUE(waitUntil([this] { return !inModalLoop(program_.mainThreadId(), GUI_INMOVESIZE); }));

    WindowSpec plan;
    plan.caption = "In front after the move loop";
    TestWindow later(plan);
    ASSERT_TRUE(bringToFront(later.handle()));
    EXPECT_EQ(program_.lineOf(GetCurrentProcessId(), plan.caption),
              expectedLine(ordinaryWindowFacts(plan.caption, plan.className, plan.rect, later.style())));
    ASSERT_TRUE(clickButton(program_.closeButton()));
    expectEndedWithTimerResolutionRestoredOnce();
}

// A tick of Timer1 posted from outside while the loop runs returns at once
// instead of starting a second loop inside the first.
TEST_F(Closing, ATickPostedFromOutsideStartsNoSecondLoop) {
    start();
    ASSERT_TRUE(PostMessageA(program_.window(), WM_TIMER, 1, 0));
    ASSERT_TRUE(program_.letTheLoopRun());
    const std::string tick = "(" + tracedWindow(program_.window()) + ",msg=WM_TIMER,wp=00000001,";
    const std::vector<std::string> running = program_.trace();
    const int second = findMessage(running, program_.window(), "WM_TIMER,wp=00000001",
                                   findMessage(running, program_.window(), "WM_TIMER,wp=00000001") + 1);
    ASSERT_GE(second, 0) << "the posted tick is not in the trace";
    int returned = -1;
    for (int i = second + 1; i < static_cast<int>(running.size()) && returned < 0; ++i) {
        if (running[i].find("Ret  window proc") != std::string::npos &&
            running[i].find(tick) != std::string::npos) {
            returned = i;
        }
    }
    EXPECT_GT(returned, second) << "the posted tick has not returned: a second loop runs";
    ASSERT_TRUE(clickButton(program_.closeButton()));
    expectEndedWithTimerResolutionRestoredOnce(2);
}

}  // namespace
}  // namespace e2e
