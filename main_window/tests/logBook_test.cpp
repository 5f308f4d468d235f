#include "main_window/logBook.h"
#include "main_window/tipText.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace {

LineRecord sized(std::size_t bytes) {
    LineRecord record;
    record.bytes = bytes;
    return record;
}

LogBook bookOf(int lines, std::size_t bytesEach) {
    LogBook book;
    for (int i = 0; i < lines; ++i) {
        book.add(sized(bytesEach));
    }
    return book;
}

TEST(LogBook, TheOldestLinesGoAtEitherLimit) {
    struct Case {
        const char* name;
        int lines;
        std::size_t bytesEach;
        std::size_t newBytes;
        int drop;
    };
    const std::size_t big = 65535 + 100;  // a line with a caption at its limit
    const Case cases[] = {
        {"empty", 0, 0, 100, 0},
        {"one line short of the count", LogBook::maxLines - 1, 10, 10, 0},
        {"at the count", LogBook::maxLines, 10, 10, 1},
        {"text within the budget", 254, big, big, 0},  // 255 of them fit
        {"text over the budget", 255, big, big, 1},
        {"a line as big as the budget", 3, 10, LogBook::maxBytes, 3},
        {"a line bigger than the budget keeps itself", 3, 10, LogBook::maxBytes + 1, 3},
    };
    for (const Case& c : cases) {
        const LogBook book = bookOf(c.lines, c.bytesEach);
        EXPECT_EQ(book.linesToDropFor(c.newBytes), c.drop) << c.name;
    }
}

TEST(LogBook, KeepsCountAndBytesInStepWithTheList) {
    LogBook book = bookOf(3, 10);
    book.add(sized(5));
    EXPECT_EQ(book.bytes(), 35u);
    EXPECT_TRUE(book.dropOldest());
    EXPECT_EQ(book.lines(), 3);
    EXPECT_EQ(book.bytes(), 25u);
    book.alignTo(5);  // two lines added from elsewhere, in front
    EXPECT_EQ(book.lines(), 5);
    EXPECT_EQ(book.at(0).bytes, 0u);
    EXPECT_EQ(book.at(4).bytes, 5u);
    book.alignTo(1);
    EXPECT_EQ(book.at(0).bytes, 5u);
    EXPECT_EQ(book.bytes(), 5u);
    book.clear();
    EXPECT_FALSE(book.dropOldest());
    EXPECT_EQ(book.bytes(), 0u);
}

LineRecord timed(std::uint32_t timeOfDay, std::uint32_t stamp) {
    ForegroundFacts facts;
    facts.title = "a window";
    return recordOf("title='a window'", {dateOf(2026, 12, 7), timeOfDay, stamp}, facts, {}, {});
}

// The times travel with their lines: a line's hold ends at the next line's
// change, and the newest line is still in front. A line keeps its number
// while older ones go, for a command that acts on it later.
TEST(LogBook, EachLineKeepsItsOwnTimeHoldAndNumber) {
    LogBook book;
    book.add(timed(timeOfDayMs(8, 0, 0, 0), 5000));
    book.add(timed(timeOfDayMs(8, 0, 0, 300), 5300));
    book.add(timed(timeOfDayMs(8, 0, 1, 0), 6000));
    EXPECT_EQ(book.at(0).bytes, 16u + 8u);  // the line and the title kept beside it
    EXPECT_EQ(tipText(book, 0, false), "2026-12-07 08:00:00.000, in front for 300 ms");
    EXPECT_EQ(tipText(book, 1, false), "2026-12-07 08:00:00.300, in front for 700 ms");
    EXPECT_EQ(tipText(book, 2, false), "2026-12-07 08:00:01.000, still in front");
    EXPECT_EQ(tipText(book, 3, false), "");
    const std::uint64_t second = book.numberOf(1);
    book.dropOldest();
    EXPECT_EQ(book.indexOf(second), 0);
    EXPECT_EQ(tipText(book, 0, false), "2026-12-07 08:00:00.300, in front for 700 ms");
    book.clear();
    EXPECT_EQ(book.indexOf(second), -1);
    book.add(timed(0, 0));
    book.alignTo(2);  // a line added from elsewhere has no time
    EXPECT_EQ(tipText(book, 0, false), "");
}

// A list box out of space refuses a line with LB_ERRSPACE: the oldest lines
// make room, but never more text than the new line's own. Answers: A added,
// S out of space, R refused for another reason; the last answer repeats.
TEST(AppendRule, DropsOnlyWhatMakesRoomForTheNewLine) {
    struct Case {
        const char* name;
        const char* answers;
        int linesBefore;  // of 10 bytes each
        std::size_t newBytes;
        bool added;
        int dropped;
    };
    const Case cases[] = {
        {"added at once", "A", 5, 100, true, 0},
        {"room made by two lines", "SSA", 50, 100, true, 2},
        {"refused for another reason", "R", 50, 100, false, 0},
        {"never fits: as much text as the line, no more", "S", 50, 35, false, 4},
        {"a line larger than the whole log drops nothing", "S", 2, 100, false, 0},
    };
    for (const Case& c : cases) {
        int lines = c.linesBefore;
        int tries = 0;
        const bool added = appendDroppingOldest(
            c.newBytes, static_cast<std::size_t>(c.linesBefore) * 10,
            [&] {
                const std::size_t last = std::char_traits<char>::length(c.answers) - 1;
                const char answer = c.answers[std::min<std::size_t>(static_cast<std::size_t>(tries++), last)];
                return answer == 'A' ? AddAnswer::added
                                     : answer == 'S' ? AddAnswer::outOfSpace : AddAnswer::refused;
            },
            [&](std::size_t& freed) {
                if (lines == 0) {
                    return false;
                }
                --lines;
                freed += 10;
                return true;
            });
        EXPECT_EQ(added, c.added) << c.name;
        EXPECT_EQ(c.linesBefore - lines, c.dropped) << c.name;
    }
}

}  // namespace
