// Where the program's controls are, in pixels, at the screen's DPI: twips
// (1440 to the inch) converted to the nearest pixel. Run once in a prefix at
// 96 DPI and once in one at 144 DPI; TARNWICK_E2E_DPI says which to expect.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "e2e/harness/environment.h"
#include "e2e/harness/expectedLine.h"
#include "e2e/harness/program.h"
#include "e2e/harness/testWindow.h"

namespace e2e {
namespace {

int screenDpi() {
    const HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi;
}

int expectedDpi() {
    const std::string value = environmentValue("TARNWICK_E2E_DPI");
    return value.empty() ? 96 : std::atoi(value.c_str());
}

// Twips to the nearest pixel (halves go up), and pixels to twips.
int px(double twips, int dpi) {
    return static_cast<int>(std::floor(twips * dpi / 1440.0 + 0.5));
}
double twipsOf(int pixels, int dpi) {
    return pixels * 1440.0 / dpi;
}

struct Box {
    int left, top, width, height;
};

// A control's place inside the client area of its container.
Box placeIn(HWND control, HWND container) {
    RECT r = {0, 0, 0, 0};
    GetWindowRect(control, &r);
    MapWindowPoints(nullptr, container, reinterpret_cast<POINT*>(&r), 2);
    return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

std::string describe(const Box& b) {
    return "(" + std::to_string(b.left) + "," + std::to_string(b.top) + " " +
           std::to_string(b.width) + "x" + std::to_string(b.height) + ")";
}

void compare(std::vector<std::string>& problems, const char* name, const Box& actual,
             const Box& expected) {
    if (actual.left != expected.left || actual.top != expected.top ||
        actual.width != expected.width || actual.height != expected.height) {
        problems.push_back(std::string(name) + " is at " + describe(actual) + ", expected " +
                           describe(expected));
    }
}

class Layout : public ::testing::Test {
protected:
    void SetUp() override {
        dpi_ = screenDpi();
        ASSERT_EQ(dpi_, expectedDpi()) << "the Wine prefix is not set to the DPI under test";
        ASSERT_TRUE(program_.start()) << program_.failure();
    }

    // Every difference between the controls' places and what the window's
    // present size asks for; empty when the layout is right.
    std::vector<std::string> layoutProblems() const {
        std::vector<std::string> problems;
        const HWND form = program_.window();
        RECT outer = {0, 0, 0, 0};
        RECT client = {0, 0, 0, 0};
        GetWindowRect(form, &outer);
        GetClientRect(form, &client);
        const double outerWidth = twipsOf(outer.right - outer.left, dpi_);
        const double clientWidth = twipsOf(client.right, dpi_);
        const double clientHeight = twipsOf(client.bottom, dpi_);

        // The list box gets its height and trims it to whole lines.
        const Box list = placeIn(program_.list(), form);
        const int askedHeight = px(clientHeight - 795 + 180, dpi_);
        DWORD_PTR itemHeight = 0;
        SendMessageTimeoutA(program_.list(), LB_GETITEMHEIGHT, 0, 0, SMTO_NORMAL,
                            defaultTimeoutMs, &itemHeight);
        RECT listClient = {0, 0, 0, 0};
        GetClientRect(program_.list(), &listClient);
        const int lineHeight = static_cast<int>(itemHeight);
        if (lineHeight <= 0 || listClient.bottom % lineHeight != 0 || list.height > askedHeight ||
            askedHeight - list.height >= lineHeight) {
            problems.push_back("List1 is " + std::to_string(list.height) + " pixels high (" +
                               std::to_string(listClient.bottom) +
                               " inside); it was to get " + std::to_string(askedHeight) +
                               " less what is left over from whole lines of " +
                               std::to_string(lineHeight));
        }
        compare(problems, "List1", list,
                {px(30, dpi_), px(45, dpi_), px(outerWidth - 165, dpi_), list.height});

        const double frameWidth = clientWidth;
        compare(problems, "Frame1", placeIn(program_.panel(), form),
                {0, px(twipsOf(list.height, dpi_) + 30, dpi_), px(frameWidth, dpi_), px(795, dpi_)});
        compare(problems, "cmdClose", placeIn(program_.closeButton(), program_.panel()),
                {px(frameWidth / 2 - 1875.0 / 2, dpi_), px(180, dpi_), px(1875, dpi_), px(435, dpi_)});
        compare(problems, "chkTopMost", placeIn(program_.topMostBox(), program_.panel()),
                {px(60, dpi_), px(420, dpi_), px(1755, dpi_), px(255, dpi_)});
        compare(problems, "cmdClear", placeIn(program_.clearButton(), program_.panel()),
                {px(12240, dpi_), px(0, dpi_), px(240, dpi_), px(255, dpi_)});
        return problems;
    }

    std::string listing(const std::vector<std::string>& problems) const {
        std::string text = "at " + std::to_string(dpi_) + " DPI:\n";
        for (const std::string& problem : problems) {
            text += "  " + problem + "\n";
        }
        return text;
    }

    void expectLayoutRight() {
        std::vector<std::string> problems;
        waitUntil([&] {
            problems = layoutProblems();
            return problems.empty();
        });
        EXPECT_TRUE(problems.empty()) << listing(problems);
    }

    int dpi_ = 0;
    Program program_;
};

TEST_F(Layout, ClientAreaIsCreatedAt12540By4500Twips) {
    RECT client = {0, 0, 0, 0};
    GetClientRect(program_.window(), &client);
    EXPECT_EQ(client.right, px(12540, dpi_));
    EXPECT_EQ(client.bottom, px(4500, dpi_));
}

TEST_F(Layout, ControlsSitAtTheirPlacesWhenTheWindowIsFirstShown) {
    expectLayoutRight();
}

TEST_F(Layout, ControlsFollowAResize) {
    const HWND form = program_.window();
    RECT before = {0, 0, 0, 0};
    GetWindowRect(form, &before);
    const int width = (before.right - before.left) * 3 / 4;
    const int height = (before.bottom - before.top) * 3 / 2;
    ASSERT_TRUE(SetWindowPos(form, nullptr, 0, 0, width, height,
                             SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE));
    RECT after = {0, 0, 0, 0};
    GetWindowRect(form, &after);
    ASSERT_EQ(after.right - after.left, width);
    ASSERT_EQ(after.bottom - after.top, height);
    expectLayoutRight();
}

// A line that comes in while the window is minimised may bring up the
// list's horizontal scroll bar; still no control moves, and once restored
// the controls stand where they stood at that size before.
TEST_F(Layout, MinimisingMovesNoControlAndRestoringLaysOutAgain) {
    const HWND form = program_.window();
    // No scroll bar to begin with.
    ASSERT_TRUE(clickButton(program_.clearButton()));
    ASSERT_TRUE(waitUntil([this] {
        return (GetWindowLongA(program_.list(), GWL_STYLE) & WS_HSCROLL) == 0;
    }));
    expectLayoutRight();
    const Box list = placeIn(program_.list(), form);
    const Box panel = placeIn(program_.panel(), form);
    const Box close = placeIn(program_.closeButton(), program_.panel());

    PostMessageA(form, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    ASSERT_TRUE(waitUntil([form] { return IsIconic(form) != FALSE; }));
    WindowSpec plan;
    plan.caption = std::string(400, 'M');
    TestWindow wide(plan);
    ASSERT_TRUE(bringToFront(wide.handle()));
    std::vector<std::string> seen;
    ASSERT_FALSE(program_.waitForLineOf(GetCurrentProcessId(), plan.caption, seen).empty());
    ASSERT_TRUE(program_.letTheLoopRun());
    // Sizes inside the window, which a minimised window keeps.
    RECT listRect = {0, 0, 0, 0};
    GetWindowRect(program_.list(), &listRect);
    EXPECT_EQ(listRect.right - listRect.left, list.width);
    EXPECT_EQ(listRect.bottom - listRect.top, list.height);
    RECT panelRect = {0, 0, 0, 0};
    GetWindowRect(program_.panel(), &panelRect);
    EXPECT_EQ(panelRect.right - panelRect.left, panel.width);
    EXPECT_EQ(placeIn(program_.closeButton(), program_.panel()).left, close.left);

    PostMessageA(form, WM_SYSCOMMAND, SC_RESTORE, 0);
    ASSERT_TRUE(waitUntil([form] { return IsIconic(form) == FALSE; }));
    expectLayoutRight();
}

// A line wider than the list brings up its horizontal scroll bar, and Clear
// takes it away; the list box then holds fewer or more whole lines, and the
// panel follows its height.
TEST_F(Layout, PanelFollowsTheListWhenItsScrollBarComesAndGoes) {
    WindowSpec plan;
    plan.caption = std::string(400, 'W');
    TestWindow wide(plan);
    ASSERT_TRUE(bringToFront(wide.handle()));
    std::vector<std::string> seen;
    ASSERT_TRUE(program_.waitForLines(
        [](const std::vector<std::string>& lines) {
            return !linesOfProcess(lines, GetCurrentProcessId()).empty();
        },
        seen));
    const auto horizontalBarShown = [this] {
        return (GetWindowLongA(program_.list(), GWL_STYLE) & WS_HSCROLL) != 0;
    };
    ASSERT_TRUE(waitUntil(horizontalBarShown));
    expectLayoutRight();

    ASSERT_TRUE(clickButton(program_.clearButton()));
    ASSERT_TRUE(waitUntil([&] { return !horizontalBarShown(); }));
    expectLayoutRight();
}

TEST_F(Layout, ControlsCarryTheirCaptions) {
    char text[64] = {};
    GetWindowTextA(program_.window(), text, sizeof text);
    EXPECT_STREQ(text, "Velquist");
    GetWindowTextA(program_.clearButton(), text, sizeof text);
    EXPECT_STREQ(text, "x");
    GetWindowTextA(program_.topMostBox(), text, sizeof text);
    EXPECT_STREQ(text, "TopMost");
    GetWindowTextA(program_.closeButton(), text, sizeof text);
    EXPECT_STREQ(text, "Close");
}

}  // namespace
}  // namespace e2e
