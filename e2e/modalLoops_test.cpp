// The program goes on logging while its window's thread is inside a modal
// loop of the system's own, and the loop goes on working: a window that holds
// the front for 50 ms meanwhile is logged with its executable and painted
// while the loop lasts, and a held scroll arrow keeps scrolling.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "e2e/harness/expectedLine.h"
#include "e2e/harness/hover.h"
#include "e2e/harness/listBox.h"
#include "e2e/harness/modalLoops.h"
#include "e2e/harness/program.h"
#include "e2e/harness/relayTrace.h"
#include "e2e/harness/testWindow.h"
#include "e2e/harness/windowInFront.h"

namespace e2e {
namespace {

struct ModalLoop {
    const char* name;
    DWORD flag;  // of GetGUIThreadInfo while it runs
    bool (*enter)(HWND window);
};

class InsideAModalLoop : public ::testing::TestWithParam<ModalLoop> {
protected:
    bool running() const { return inModalLoop(program_.mainThreadId(), GetParam().flag); }

    Program program_;
};

TEST_P(InsideAModalLoop, AWindowInFrontFor50MsIsLoggedAndPaintedWhileTheLoopLasts) {
    LaunchOptions options;
    options.traceCalls = true;
    ASSERT_TRUE(program_.start(options)) << program_.failure();
    const WindowSpec planA = planFor("Window A", {120, 100, 480, 340});
    const WindowSpec planB = planFor("Fifty milliseconds in front", {520, 300, 860, 520});
    TestWindow a(planA);
    TestWindow b(planB);
    // The pointer away from every window: Wine's move loop follows the
    // pointer, and when it moves the window it takes the front back from B.
    ASSERT_TRUE(movePointerTo({1000, 740}));
    ASSERT_TRUE(bringToFront(a.handle()));
    std::vector<std::string> seen;
    ASSERT_TRUE(program_.waitForLines([](const std::vector<std::string>& lines) { return !ourLines(lines).empty(); },
                                      seen))
        << listing(seen);
    // A's line painted before the loop begins: the first paint of a wider
    // line also lays the window out, and the program sees nothing meanwhile.
    waitUntil([] { return false; }, 300);
    ASSERT_TRUE(GetParam().enter(program_.window()));
    ASSERT_TRUE(waitUntil([this] { return running(); })) << "the loop did not begin";
    const int traceBefore = static_cast<int>(program_.trace().size());

    ASSERT_TRUE(bringToFront(b.handle()));
    waitUntil([] { return false; }, 50);
    ASSERT_EQ(GetForegroundWindow(), b.handle()) << "B did not hold the front for 50 ms";
    ASSERT_TRUE(bringToFront(a.handle()));
    ASSERT_TRUE(program_.waitForLines(
        [](const std::vector<std::string>& lines) { return ourLines(lines).size() >= 3; }, seen))
        << listing(seen);
    EXPECT_EQ(ourLines(seen), (std::vector<std::string>{lineOf(a, planA), lineOf(b, planB), lineOf(a, planA)}))
        << listing(seen);
    // The lines held back from painting are painted from the loop itself,
    // with no key pressed.
    const HWND list = program_.list();
    EXPECT_TRUE(waitUntil([&] {
        const std::vector<std::string> trace = program_.trace();
        const int added = findMessage(trace, list, "LB_ADDSTRING", traceBefore);
        return added >= 0 && findMessage(trace, list, "WM_PAINT", added) >= 0;
    }, 5000))
        << "the new lines were not painted";
    EXPECT_TRUE(running()) << "the loop ended before the lines were read";
}

INSTANTIATE_TEST_SUITE_P(
    Loops, InsideAModalLoop,
    ::testing::Values(ModalLoop{"KeyboardMoveLoop", GUI_INMOVESIZE,
                                [](HWND window) {
                                    startMoveLoop(window);
                                    return true;
                                }},
                      ModalLoop{"CaptionContextMenu", GUI_INMENUMODE, openCaptionMenu}),
    [](const ::testing::TestParamInfo<ModalLoop>& info) { return std::string(info.param.name); });

// Holding the list's down arrow scrolls it line after line: the scroll bar's
// own loop keeps its repeat while the program polls inside it.
TEST(ScrollBarLoop, AHeldScrollArrowKeepsScrolling) {
    Program program;
    ASSERT_TRUE(program.start()) << program.failure();
    ASSERT_TRUE(bringToFront(program.window()));
    const HWND list = program.list();
    std::vector<std::string> seen;
    ASSERT_TRUE(program.waitForLines(
        [](const std::vector<std::string>& lines) {
            return !lines.empty() && lines.back().find("cls='TarnwickForm1'") != std::string::npos;
        },
        seen));
    for (int i = 0; i < 200; ++i) {
        const std::wstring line = L"filler line " + std::to_wstring(i);
        SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.c_str()));
    }
    SendMessageW(list, LB_SETTOPINDEX, 0, 0);
    ASSERT_EQ(SendMessageW(list, LB_GETTOPINDEX, 0, 0), 0);

    RECT client = {0, 0, 0, 0};
    ASSERT_TRUE(GetClientRect(list, &client));
    POINT downArrow = {client.right + GetSystemMetrics(SM_CXVSCROLL) / 2,
                       client.bottom - GetSystemMetrics(SM_CYVSCROLL) / 2};
    ASSERT_TRUE(ClientToScreen(list, &downArrow));
    ASSERT_TRUE(movePointerTo(downArrow));
    INPUT press = {};
    press.type = INPUT_MOUSE;
    press.mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    ASSERT_EQ(SendInput(1, &press, sizeof press), 1u);
    // The first step at once, the repeat after a short delay.
    waitUntil([] { return false; }, 1000);
    const LRESULT top = SendMessageW(list, LB_GETTOPINDEX, 0, 0);
    press.mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(1, &press, sizeof press);
    EXPECT_GE(top, 5) << "the held arrow scrolled " << top << " lines in a second";
}

}  // namespace
}  // namespace e2e
