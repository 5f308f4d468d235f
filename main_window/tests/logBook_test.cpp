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
        LogBook book = bookOf(c.lines, c.bytesEach);
        int drop = 0;
        for (int listLines = c.lines; listLines > 0 && book.mustMakeRoomFor(c.newBytes, listLines); --listLines) {
            book.forget(book.at(0).serial);
            ++drop;
        }
        EXPECT_EQ(drop, c.drop) << c.name;
    }
}

// A line is found by the serial it carries, wherever it stands, and any line
// may go: another program may take lines out of the list.
TEST(LogBook, FindsEachRecordByItsSerialAndKeepsTheBytesInStep) {
    LogBook book = bookOf(3, 10);
    const std::uint32_t fourth = book.add(sized(5));
    EXPECT_EQ(book.bytes(), 35u);
    EXPECT_EQ(book.indexOf(fourth), 3);
    EXPECT_TRUE(book.forget(book.at(1).serial));  // from the middle
    EXPECT_EQ(book.indexOf(fourth), 2);
    EXPECT_EQ(book.bytes(), 25u);
    EXPECT_TRUE(book.replace(fourth, sized(50)));
    EXPECT_EQ(book.at(2).serial, fourth);
    EXPECT_EQ(book.bytes(), 70u);
    EXPECT_FALSE(book.forget(0));
    EXPECT_EQ(book.indexOf(0), -1);
    book.clear();
    EXPECT_FALSE(book.forget(fourth));
    EXPECT_EQ(book.indexOf(fourth), -1);
    EXPECT_EQ(book.bytes(), 0u);
}

LineRecord timed(std::uint32_t timeOfDay, std::uint32_t stamp) {
    ForegroundFacts facts;
    facts.title = "a window";
    return recordOf("title='a window'", nullptr, {dateOf(2026, 12, 7), timeOfDay, stamp}, facts, {}, {});
}

// The times travel with their lines: a line's hold ends at the next line's
// change, and the newest line is still in front.
TEST(LogBook, EachLineKeepsItsOwnTimeAndHold) {
    LogBook book;
    book.add(timed(timeOfDayMs(8, 0, 0, 0), 5000));
    book.add(timed(timeOfDayMs(8, 0, 0, 300), 5300));
    book.add(timed(timeOfDayMs(8, 0, 1, 0), 6000));
    EXPECT_EQ(book.at(0).bytes, 16u + 8u);  // the line and the title kept beside it
    EXPECT_EQ(tipText(book, 0, false, true), "2026-12-07 08:00:00.000, in front for 300 ms");
    EXPECT_EQ(tipText(book, 1, false, true), "2026-12-07 08:00:00.300, in front for 700 ms");
    EXPECT_EQ(tipText(book, 2, false, true), "2026-12-07 08:00:01.000, still in front");
    EXPECT_EQ(tipText(book, 3, false, true), "");
    EXPECT_EQ(tipText(book, -1, false, true), "") << "a line the book does not know";
    book.forget(book.at(0).serial);
    EXPECT_EQ(tipText(book, 0, false, true), "2026-12-07 08:00:00.300, in front for 700 ms");
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
