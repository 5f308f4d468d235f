// The line the running program writes for a window of ours in the
// foreground: caption, class, visibility, rectangle, executable, process id,
// style and minimised state, each checked against what we created.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "e2e/harness/environment.h"
#include "e2e/harness/expectedLine.h"
#include "e2e/harness/program.h"
#include "e2e/harness/testWindow.h"

namespace e2e {
namespace {

class LogLine : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(program_.start()) << program_.failure(); }

    // Puts `window` in front and checks that the program wrote `facts` for
    // it, and nothing else for any window of ours.
    void expectLineFor(const TestWindow& window, const WindowFacts& facts) {
        ASSERT_TRUE(window.valid());
        ASSERT_TRUE(bringToFront(window.handle()));
        const std::string expected = expectedLine(facts);
        std::vector<std::string> seen;
        const bool logged = program_.waitForLines(
            [](const std::vector<std::string>& lines) {
                return !linesOfProcess(lines, GetCurrentProcessId()).empty();
            },
            seen);
        ASSERT_TRUE(logged) << "no line for our window; expected\n  " << expected << "\nlog:\n"
                            << listing(seen);
        EXPECT_EQ(linesOfProcess(seen, GetCurrentProcessId()), std::vector<std::string>{expected})
            << "log:\n" << listing(seen);
    }

    // What the line should say for an ordinary window of ours: visible, not
    // minimised, at the rectangle we asked for.
    static WindowFacts ordinary(const TestWindow& window, const WindowSpec& plan,
                                const std::string& title, const std::string& className) {
        return ordinaryWindowFacts(title, className, plan.rect, window.style());
    }

    Program program_;
};

TEST_F(LogLine, CaptionLosesLeadingBlanksAndKeepsTrailingOnes) {
    WindowSpec plan;
    plan.caption = "   Padded caption   ";
    TestWindow window(plan);
    expectLineFor(window, ordinary(window, plan, "Padded caption   ", plan.className));
}

TEST_F(LogLine, CaptionWithAnApostropheIsWrittenUnchanged) {
    WindowSpec plan;
    plan.caption = "Bob's report 'final'";
    TestWindow window(plan);
    expectLineFor(window, ordinary(window, plan, "Bob's report 'final'", plan.className));
}

TEST_F(LogLine, CaptionKeepsItsTabsAtTheEndsAndInside) {
    WindowSpec plan;
    plan.caption = "\tcolumn one\tcolumn two\t";
    TestWindow window(plan);
    expectLineFor(window, ordinary(window, plan, "\tcolumn one\tcolumn two\t", plan.className));
}

TEST_F(LogLine, EmptyCaptionGivesAnEmptyTitle) {
    WindowSpec plan;
    plan.caption = "";
    TestWindow window(plan);
    expectLineFor(window, ordinary(window, plan, "", plan.className));
}

TEST_F(LogLine, CaptionOfBlanksOnlyGivesAnEmptyTitle) {
    WindowSpec plan;
    plan.caption = "      ";
    TestWindow window(plan);
    expectLineFor(window, ordinary(window, plan, "", plan.className));
}

TEST_F(LogLine, LongCaptionIsWrittenWhole) {
    std::string caption;
    for (int i = 0; caption.size() < 1500; ++i) {
        caption += "segment " + std::to_string(i) + " of a long caption; ";
    }
    WindowSpec plan;
    plan.caption = caption;
    TestWindow window(plan);
    expectLineFor(window, ordinary(window, plan, caption, plan.className));
}

TEST_F(LogLine, ClassNameLosesItsLeadingBlanks) {
    WindowSpec plan;
    plan.className = "   TarnwickLeadingBlanks";
    plan.caption = "Leading blanks in the class";
    TestWindow window(plan);
    expectLineFor(window,
                  ordinary(window, plan, "Leading blanks in the class", "TarnwickLeadingBlanks"));
}

// The class name comes back in a buffer of blanks; the blanks behind its NUL
// are trimmed before the cut at the NUL, so blanks that end the name itself
// stand in front of the NUL and stay, as a caption's do.
TEST_F(LogLine, ClassNameKeepsTheBlanksThatEndIt) {
    WindowSpec plan;
    plan.className = "  Tarnwick Spaced Class  ";
    plan.caption = "Spaced class";
    TestWindow window(plan);
    expectLineFor(window, ordinary(window, plan, "Spaced class", "Tarnwick Spaced Class  "));
}

TEST_F(LogLine, ClassNameWithAnApostropheIsWrittenUnchanged) {
    WindowSpec plan;
    plan.className = "Tarnwick'Quoted'Class";
    plan.caption = "Quoted class";
    TestWindow window(plan);
    expectLineFor(window, ordinary(window, plan, "Quoted class", "Tarnwick'Quoted'Class"));
}

TEST_F(LogLine, LongClassNameIsWrittenWhole) {
    std::string className = "TarnwickLongClass";
    while (className.size() < 240) {
        className += "_abcdefghij";
    }
    WindowSpec plan;
    plan.className = className;
    plan.caption = "Long class";
    TestWindow window(plan);
    expectLineFor(window, ordinary(window, plan, "Long class", className));
}

TEST_F(LogLine, PositionAndSizeComeFromTheWindowRectangle) {
    WindowSpec plan;
    plan.caption = "Placed window";
    plan.rect = {37, 51, 37 + 413, 51 + 287};
    TestWindow window(plan);
    expectLineFor(window, ordinary(window, plan, "Placed window", plan.className));
}

TEST_F(LogLine, NegativePositionKeepsItsMinusSigns) {
    WindowSpec plan;
    plan.caption = "Partly off screen";
    plan.rect = {-120, -80, -120 + 400, -80 + 300};
    TestWindow window(plan);
    const WindowFacts facts = ordinary(window, plan, "Partly off screen", plan.className);
    expectLineFor(window, facts);
    EXPECT_NE(expectedLine(facts).find("pos=-120,-80,400,300"), std::string::npos);
}

TEST_F(LogLine, PopUpStyleWithTheTopBitShowsEightHexDigits) {
    WindowSpec plan;
    plan.caption = "Pop-up window";
    plan.style = WS_POPUP | WS_CAPTION | WS_SYSMENU;
    plan.rect = {300, 200, 300 + 240, 200 + 120};
    TestWindow window(plan);
    ASSERT_NE(window.style() & WS_POPUP, 0u);
    WindowFacts facts = ordinary(window, plan, "Pop-up window", plan.className);
    facts.exe = "";  // a pop-up is no task window, so no executable is looked up for it
    expectLineFor(window, facts);

    char digits[16];
    std::snprintf(digits, sizeof digits, "%08lX", static_cast<unsigned long>(window.style()));
    EXPECT_NE(expectedLine(facts).find(std::string("  style=") + digits + "  iconic=0"),
              std::string::npos);
}

TEST_F(LogLine, MinimisedWindowIsIconic) {
    WindowSpec plan;
    plan.caption = "Minimised window";
    plan.showCommand = SW_SHOWMINIMIZED;
    TestWindow window(plan);
    ASSERT_TRUE(IsIconic(window.handle()));
    WindowFacts facts = ordinary(window, plan, "Minimised window", plan.className);
    facts.rect = window.rect();  // where the platform put the minimised window
    facts.iconic = 1;
    ASSERT_NE(facts.style & WS_MINIMIZE, 0u);
    expectLineFor(window, facts);
}

}  // namespace
}  // namespace e2e
