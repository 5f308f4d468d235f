// The executable field on the NT family (Wine's default): a task window of
// ours shows the full path of this test program; windows that are no task
// windows (pop-ups, disabled ones, owned pop-ups, tooltips, the taskbar's
// class, windows without an area) show empty text, although their process
// is the same. How many windows lie above the window makes no difference.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "e2e/harness/environment.h"
#include "e2e/harness/expectedLine.h"
#include "e2e/harness/hostProcess.h"
#include "e2e/harness/program.h"
#include "e2e/harness/testWindow.h"

namespace e2e {
namespace {

// A window procedure that lets a window have no width or no height: the
// default one would widen an overlapped window to its smallest tracking size.
LRESULT CALLBACK shrinkableWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_GETMINMAXINFO) {
        auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
        info->ptMinTrackSize.x = 0;
        info->ptMinTrackSize.y = 0;
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

WindowSpec planWith(const std::string& caption, const std::string& className,
                    DWORD style = WS_OVERLAPPEDWINDOW) {
    WindowSpec plan;
    plan.caption = caption;
    plan.className = className;
    plan.style = style;
    return plan;
}

// What the line says for `window` of ours: as the platform reports the
// window now, with `exe` in the executable field.
WindowFacts factsOf(const TestWindow& window, const WindowSpec& plan, const std::string& exe) {
    WindowFacts facts =
        ordinaryWindowFacts(plan.caption, plan.className, window.rect(), window.style());
    facts.visible = IsWindowVisible(window.handle()) != FALSE;
    facts.exe = exe;
    return facts;
}

class Lookup : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(program_.start()) << program_.failure(); }

    // Brings `window` to the front and waits for the program's line about
    // it: the line of our process that starts with its title. Empty when
    // none comes.
    std::string lineWhenInFront(const TestWindow& window, const std::string& title) {
        if (!window.valid() || !bringToFront(window.handle())) {
            ADD_FAILURE() << "the window '" << title << "' could not be brought to the front";
            return std::string();
        }
        std::vector<std::string> seen;
        const std::string line = program_.waitForLineOf(GetCurrentProcessId(), title, seen);
        if (line.empty()) {
            ADD_FAILURE() << "no line for the window '" << title << "'; log:\n" << listing(seen);
        }
        return line;
    }

    void expectInFront(const TestWindow& window, const WindowSpec& plan, const std::string& exe) {
        ASSERT_TRUE(window.valid());
        const std::string line = lineWhenInFront(window, plan.caption);
        EXPECT_EQ(line, expectedLine(factsOf(window, plan, exe)));
    }

    Program program_;
};

TEST_F(Lookup, OrdinaryWindowShowsTheFullPathOfItsProgram) {
    const std::string exe = ownExePath();
    ASSERT_EQ(exe.substr(1, 2), ":\\") << "not a full path: " << exe;
    const WindowSpec plan = planWith("Ordinary task window", "TarnwickE2E");
    TestWindow window(plan);
    expectInFront(window, plan, exe);
}

// A window of another program, of the same bitness as the program under
// test; the test program's own windows are those of a 64-bit program.
TEST_F(Lookup, WindowOfAnotherProgramShowsItsFullPath) {
    HostProcess host;
    const std::string exe = standinsFolder() + "\\windowHost.exe";
    ASSERT_TRUE(host.start(exe, "Window of another program")) << host.failure();
    ASSERT_TRUE(bringToFront(host.window()));
    std::vector<std::string> seen;
    EXPECT_EQ(program_.waitForLineOf(host.pid(), host.caption(), seen),
              expectedLine(host.windowFacts(exe)))
        << listing(seen);
}

TEST_F(Lookup, PopUpWindowShowsNoExecutable) {
    const WindowSpec plan =
        planWith("Pop-up window", "TarnwickE2E", WS_POPUP | WS_CAPTION | WS_SYSMENU);
    TestWindow window(plan);
    ASSERT_NE(window.style() & WS_POPUP, 0u);
    expectInFront(window, plan, "");
}

TEST_F(Lookup, DisabledWindowShowsNoExecutable) {
    const WindowSpec plan =
        planWith("Disabled window", "TarnwickE2E", WS_OVERLAPPEDWINDOW | WS_DISABLED);
    TestWindow window(plan);
    ASSERT_NE(window.style() & WS_DISABLED, 0u);
    expectInFront(window, plan, "");
}

// The class-specific style bit 0x80 (a dialog's modal frame) rules a window
// out, whatever its class.
TEST_F(Lookup, WindowWithStyleBit80ShowsNoExecutable) {
    const WindowSpec plan = planWith("Style bit 0x80", "TarnwickE2E", WS_OVERLAPPEDWINDOW | 0x80);
    TestWindow window(plan);
    ASSERT_NE(window.style() & 0x80, 0u);
    expectInFront(window, plan, "");
}

// An owned pop-up's visible root is its owner, so it gets no executable
// itself, while its owner gets the path.
TEST_F(Lookup, OwnedPopUpShowsNoExecutableAndItsOwnerShowsThePath) {
    const WindowSpec ownerSpec = planWith("Owner window", "TarnwickE2E");
    TestWindow owner(ownerSpec);
    ASSERT_TRUE(owner.valid());
    WindowSpec ownedSpec =
        planWith("Owned pop-up", "TarnwickE2E", WS_POPUP | WS_CAPTION | WS_SYSMENU);
    ownedSpec.owner = owner.handle();
    ownedSpec.rect = {260, 200, 500, 340};
    TestWindow owned(ownedSpec);
    ASSERT_EQ(GetWindow(owned.handle(), GW_OWNER), owner.handle());
    ASSERT_EQ(GetParent(owned.handle()), owner.handle());

    expectInFront(owned, ownedSpec, "");
    expectInFront(owner, ownerSpec, ownExePath());
}

// An owned window that is no pop-up has no parent as the platform reports
// it, so it is its own visible root and a task window.
TEST_F(Lookup, OwnedOverlappedWindowShowsThePath) {
    const WindowSpec ownerSpec = planWith("Owner of an overlapped window", "TarnwickE2E");
    TestWindow owner(ownerSpec);
    ASSERT_TRUE(owner.valid());
    WindowSpec ownedSpec = planWith("Owned overlapped window", "TarnwickE2E");
    ownedSpec.owner = owner.handle();
    ownedSpec.rect = {260, 200, 560, 400};
    TestWindow owned(ownedSpec);
    ASSERT_EQ(GetWindow(owned.handle(), GW_OWNER), owner.handle());
    ASSERT_EQ(GetParent(owned.handle()), nullptr);

    expectInFront(owned, ownedSpec, ownExePath());
}

// The class names that rule a window out: any that contains "tooltip" in any
// case, and the taskbar's own. Only that name itself is ruled out, not every
// name that contains it. (A name that differs from it only in case cannot be
// tried: class names are atoms, and while the taskbar's class exists, a class
// registered under such a name reports the taskbar's spelling.)
struct ClassRow {
    const char* className;
    bool namesTheExecutable;
};

const ClassRow classRows[] = {
    {"tooltip", false},
    {"TarnwickToolTip", false},
    {"TOOLTIPS_TARNWICK", false},
    {"tarnwick_tOOlTiPs_host", false},
    {"TarnwickTool_Tip", true},
    {"TarnwickToolTi", true},
    {"Shell_TrayWnd", false},
    {"Shell_TrayWnd2", true},
    {"Tarnwick_Shell_TrayWnd", true},
};

TEST_F(Lookup, TheClassNameDecidesWhetherTheExecutableIsNamed) {
    for (const ClassRow& row : classRows) {
        SCOPED_TRACE(row.className);
        ScopedWindowClass windowClass(row.className);
        ASSERT_TRUE(windowClass.registered());
        const WindowSpec plan = planWith(std::string("Class ") + row.className, row.className);
        TestWindow window(plan);
        expectInFront(window, plan, row.namesTheExecutable ? ownExePath() : "");
    }
}

TEST_F(Lookup, WindowWithoutWidthOrHeightShowsNoExecutable) {
    ScopedWindowClass windowClass("TarnwickShrinkable", shrinkableWindowProc);
    ASSERT_TRUE(windowClass.registered());
    const RECT noWidth = {300, 200, 300, 400};
    const RECT noHeight = {300, 200, 600, 200};
    const RECT both = {300, 200, 300, 200};
    int index = 0;
    for (const RECT& rect : {noWidth, noHeight, both}) {
        WindowSpec plan =
            planWith("Without an area " + std::to_string(++index), "TarnwickShrinkable");
        plan.rect = rect;
        SCOPED_TRACE(plan.caption);
        TestWindow window(plan);
        const RECT actual = window.rect();
        ASSERT_TRUE(actual.right == actual.left || actual.bottom == actual.top)
            << "the window has an area after all";
        ASSERT_TRUE(IsWindowVisible(window.handle()));
        expectInFront(window, plan, "");
    }
}

// A hidden window can be the foreground window, too.
TEST_F(Lookup, HiddenWindowShowsNoExecutable) {
    WindowSpec plan = planWith("Hidden window", "TarnwickE2E");
    plan.showCommand = SW_HIDE;
    TestWindow window(plan);
    ASSERT_FALSE(IsWindowVisible(window.handle()));
    expectInFront(window, plan, "");
}

// The same class and procedure with an area: the window gets the path.
TEST_F(Lookup, ShrinkableWindowWithAnAreaShowsThePath) {
    ScopedWindowClass windowClass("TarnwickShrinkable", shrinkableWindowProc);
    ASSERT_TRUE(windowClass.registered());
    WindowSpec plan = planWith("With an area", "TarnwickShrinkable");
    plan.rect = {300, 200, 301, 201};
    TestWindow window(plan);
    expectInFront(window, plan, ownExePath());
}

// `above` windows of ours that qualify are kept above all others
// (WS_EX_TOPMOST, shown without activation); a normal window of ours then
// comes to the front below them, as the next in z-order.
class BelowTopmostWindows : public Lookup {
protected:
    void expectWithTopmostWindowsAbove(int above, const std::string& exe) {
        std::vector<std::unique_ptr<TestWindow>> topmost;
        for (int i = 0; i < above; ++i) {
            WindowSpec plan = planWith("Topmost " + std::to_string(i + 1), "TarnwickE2E");
            plan.exStyle = WS_EX_TOPMOST;
            plan.rect.left = 10 + (i % 25) * 30;
            plan.rect.top = 10 + (i / 25) * 30;
            plan.rect.right = plan.rect.left + 140;
            plan.rect.bottom = plan.rect.top + 60;
            topmost.push_back(std::make_unique<TestWindow>(plan));
            ASSERT_TRUE(topmost.back()->valid()) << "window " << i + 1 << " could not be made";
        }
        const WindowSpec plan = planWith("Below the topmost windows", "TarnwickE2E");
        TestWindow window(plan);
        ASSERT_TRUE(window.valid());
        ASSERT_TRUE(bringToFront(window.handle()));

        // Nothing but our topmost windows is visible above it; none of them
        // has left the top.
        int oursAbove = 0;
        for (HWND w = GetTopWindow(nullptr); w != nullptr && w != window.handle();
             w = GetWindow(w, GW_HWNDNEXT)) {
            if (!IsWindowVisible(w)) {
                continue;
            }
            DWORD pid = 0;
            GetWindowThreadProcessId(w, &pid);
            char className[64] = {};
            GetClassNameA(w, className, sizeof className);
            ASSERT_EQ(pid, GetCurrentProcessId())
                << "a visible window of another process, of class " << className
                << ", lies above ours";
            ++oursAbove;
        }
        ASSERT_EQ(oursAbove, above);

        expectInFront(window, plan, exe);
    }
};

TEST_F(BelowTopmostWindows, TheWindowBelow400TopmostWindowsOfOursShowsThePath) {
    expectWithTopmostWindowsAbove(400, ownExePath());
}

}  // namespace
}  // namespace e2e
