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
    static WindowFacts ordinary(const TestWindow& window, const WindowSpec& spec,
                                const std::string& title, const std::string& className) {
        return ordinaryWindowFacts(title, className, spec.rect, window.style());
    }

    Program program_;
};

TEST_F(LogLine, CaptionLosesLeadingBlanksAndKeepsTrailingOnes) {
    WindowSpec spec;
    spec.caption = "   Padded caption   ";
    TestWindow window(spec);
    expectLineFor(window, ordinary(window, spec, "Padded caption   ", spec.className));
}

TEST_F(LogLine, CaptionWithAnApostropheIsWrittenUnchanged) {
    WindowSpec spec;
    spec.caption = "Bob's report 'final'";
    TestWindow window(spec);
    expectLineFor(window, ordinary(window, spec, "Bob's report 'final'", spec.className));
}

TEST_F(LogLine, CaptionKeepsItsTabsAtTheEndsAndInside) {
    WindowSpec spec;
    spec.caption = "\tcolumn one\tcolumn two\t";
    TestWindow window(spec);
    expectLineFor(window, ordinary(window, spec, "\tcolumn one\tcolumn two\t", spec.className));
}

TEST_F(LogLine, EmptyCaptionGivesAnEmptyTitle) {
    WindowSpec spec;
    spec.caption = "";
    TestWindow window(spec);
    expectLineFor(window, ordinary(window, spec, "", spec.className));
}

TEST_F(LogLine, CaptionOfBlanksOnlyGivesAnEmptyTitle) {
    WindowSpec spec;
    spec.caption = "      ";
    TestWindow window(spec);
    expectLineFor(window, ordinary(window, spec, "", spec.className));
}

TEST_F(LogLine, LongCaptionIsWrittenWhole) {
    std::string caption;
    for (int i = 0; caption.size() < 1500; ++i) {
        caption += "segment " + std::to_string(i) + " of a long caption; ";
    }
    WindowSpec spec;
    spec.caption = caption;
    TestWindow window(spec);
    expectLineFor(window, ordinary(window, spec, caption, spec.className));
}

TEST_F(LogLine, ClassNameLosesItsLeadingBlanks) {
    WindowSpec spec;
    spec.className = "   TarnwickLeadingBlanks";
    spec.caption = "Leading blanks in the class";
    TestWindow window(spec);
    expectLineFor(window,
                  ordinary(window, spec, "Leading blanks in the class", "TarnwickLeadingBlanks"));
}

// The class name comes back in a buffer of blanks; the blanks behind its NUL
// are trimmed before the cut at the NUL, so blanks that end the name itself
// stand in front of the NUL and stay, as a caption's do.
TEST_F(LogLine, ClassNameKeepsTheBlanksThatEndIt) {
    WindowSpec spec;
    spec.className = "  Tarnwick Spaced Class  ";
    spec.caption = "Spaced class";
    TestWindow window(spec);
    expectLineFor(window, ordinary(window, spec, "Spaced class", "Tarnwick Spaced Class  "));
}

TEST_F(LogLine, ClassNameWithAnApostropheIsWrittenUnchanged) {
    WindowSpec spec;
    spec.className = "Tarnwick'Quoted'Class";
    spec.caption = "Quoted class";
    TestWindow window(spec);
    expectLineFor(window, ordinary(window, spec, "Quoted class", "Tarnwick'Quoted'Class"));
}

TEST_F(LogLine, LongClassNameIsWrittenWhole) {
    std::string className = "TarnwickLongClass";
    while (className.size() < 240) {
        className += "_abcdefghij";
    }
    WindowSpec spec;
    spec.className = className;
    spec.caption = "Long class";
    TestWindow window(spec);
    expectLineFor(window, ordinary(window, spec, "Long class", className));
}

TEST_F(LogLine, PositionAndSizeComeFromTheWindowRectangle) {
    WindowSpec spec;
    spec.caption = "Placed window";
    spec.rect = {37, 51, 37 + 413, 51 + 287};
    TestWindow window(spec);
    expectLineFor(window, ordinary(window, spec, "Placed window", spec.className));
}

TEST_F(LogLine, NegativePositionKeepsItsMinusSigns) {
    WindowSpec spec;
    spec.caption = "Partly off screen";
    spec.rect = {-120, -80, -120 + 400, -80 + 300};
    TestWindow window(spec);
    const WindowFacts facts = ordinary(window, spec, "Partly off screen", spec.className);
    expectLineFor(window, facts);
    EXPECT_NE(expectedLine(facts).find("pos=-120,-80,400,300"), std::string::npos);
}

TEST_F(LogLine, PopUpStyleWithTheTopBitShowsEightHexDigits) {
    WindowSpec spec;
    spec.caption = "Pop-up window";
    spec.style = WS_POPUP | WS_CAPTION | WS_SYSMENU;
    spec.rect = {300, 200, 300 + 240, 200 + 120};
    TestWindow window(spec);
    ASSERT_NE(window.style() & WS_POPUP, 0u);
    WindowFacts facts = ordinary(window, spec, "Pop-up window", spec.className);
    facts.exe = "";  // a pop-up is no task window, so no executable is looked up for it
    expectLineFor(window, facts);

    char digits[16];
    std::snprintf(digits, sizeof digits, "%08lX", static_cast<unsigned long>(window.style()));
    EXPECT_NE(expectedLine(facts).find(std::string("  style=") + digits + "  iconic=0"),
              std::string::npos);
}

TEST_F(LogLine, MinimisedWindowIsIconic) {
    WindowSpec spec;
    spec.caption = "Minimised window";
    spec.showCommand = SW_SHOWMINIMIZED;
    TestWindow window(spec);
    ASSERT_TRUE(IsIconic(window.handle()));
    WindowFacts facts = ordinary(window, spec, "Minimised window", spec.className);
    facts.rect = window.rect();  // where the platform put the minimised window
    facts.iconic = 1;
    ASSERT_NE(facts.style & WS_MINIMIZE, 0u);
    expectLineFor(window, facts);
}

}  // namespace
}  // namespace e2e
