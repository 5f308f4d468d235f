#include "main_window/suspects.h"

#include <gtest/gtest.h>

namespace {

struct Change {
    UINT_PTR window;
    const char* exe;  // empty: the class names the program
    Cause cause;
    std::uint32_t stamp;
};

// The user's editor, a thief that takes the front three times for a few
// milliseconds and gives it back, and a window of a program without a path.
LogBook bookOf(const std::vector<Change>& changes) {
    LogBook book;
    HWND before = nullptr;
    for (const Change& change : changes) {
        ForegroundFacts facts;
        facts.exePath = change.exe;
        facts.className = "Class" + std::to_string(change.window);
        LineRecord record = recordOf("", reinterpret_cast<HWND>(change.window), {20261207, change.stamp, change.stamp},
                                     facts, {}, {});
        record.cause.cause = change.cause;
        record.windowBefore = before;
        before = change.window != 0 ? record.window : before;
        book.add(record);
    }
    return book;
}

TEST(Suspects, CountsHoldsAndTheCulpritOnTop) {
    const LogBook book = bookOf({
        {1, "editor.exe", Cause::you, 0},
        {2, "thief.exe", Cause::byItself, 1000},
        {1, "editor.exe", Cause::handOver, 1004},
        {2, "thief.exe", Cause::byItself, 5000},
        {0, "", Cause::none, 5010},
        {1, "editor.exe", Cause::you, 5012},
        {3, "", Cause::you, 9000},
        {2, "thief.exe", Cause::byItself, 9100},
    });
    std::vector<Suspect> suspects = suspectsOf(book);
    ASSERT_EQ(suspects.size(), 3u);
    const Suspect& editor = suspects[0];
    EXPECT_EQ(editor.program, "editor.exe");
    EXPECT_EQ(editor.timesInFront, 3);
    EXPECT_EQ(editor.byItself, 0);
    EXPECT_EQ(editor.shortestHoldMs, 1000);
    EXPECT_EQ(editor.medianHoldMs, 3988);  // of 1000, 3996 and 3988
    const Suspect& thief = suspects[1];
    EXPECT_EQ(thief.byItself, 3);
    EXPECT_EQ(thief.gaveBack, 2);  // the third is still in front
    EXPECT_EQ(thief.shortestHoldMs, 4);
    EXPECT_EQ(thief.medianHoldMs, 4);  // of 4 and 10: the lower middle
    EXPECT_EQ(suspects[2].program, "Class3");
    EXPECT_EQ(suspectCell(thief, static_cast<int>(SuspectColumn::shortestHold), true), "4");

    sortByCulprit(suspects);
    EXPECT_EQ(suspects[0].program, "thief.exe");
    EXPECT_EQ(suspects[1].program, "Class3") << "equal by itself: the shorter hold first";
    sortByColumn(suspects, static_cast<int>(SuspectColumn::timesInFront), false);
    EXPECT_EQ(suspects[0].program, "thief.exe") << "equal times in front: the culprit's order";
    sortByColumn(suspects, static_cast<int>(SuspectColumn::medianHold), true);
    EXPECT_EQ(suspects[0].program, "editor.exe");
    sortByColumn(suspects, static_cast<int>(SuspectColumn::program), true);
    EXPECT_EQ(suspects[0].program, "thief.exe");
    EXPECT_EQ(suspectsHeader(),
              "program\tby itself\tgave back\ttimes in front\tshortest hold ms\tmedian hold ms\tlast time\t"
              "started by\tcommand line\r\n");
    EXPECT_EQ(suspectRow(suspects[2], true), "Class3\t0\t0\t1\t100\t100\t2026-12-07 00:00:09.000\t\t\r\n");
}

}  // namespace
