#include "main_window/detailsTable.h"

#include <gtest/gtest.h>

#include "main_window/tipText.h"
#include "main_window/visibleText.h"

namespace {

// Texts that other programs chose, as fields: kept from becoming formulas,
// numbers or dates, control characters shown, double quotes quoted.
TEST(DetailsTable, AnotherProgramsTextArrivesInASpreadsheetAsItWas) {
    const struct {
        const char* name;
        std::string value;
        const char* field;
    } cases[] = {
        {"plain", "Report.txt - Editor", "Report.txt - Editor"},
        {"empty", "", ""},
        {"formula", "=HYPERLINK(\"x\")", "\"'=HYPERLINK(\"\"x\"\")\""},
        {"plus", "+1", "'+1"},
        {"at", "@SUM(A1)", "'@SUM(A1)"},
        {"minus", "-745023", "'-745023"},
        {"blanks before a formula", "  =1+1", "'  =1+1"},
        {"tab before a formula", "\t=cmd", "'\xE2\x90\x89=cmd"},
        {"line break before a minus", "\r\n-2", "'\xE2\x90\x8D\xE2\x90\x8A-2"},
        {"a number", "007", "'007"},
        {"a date", "3/4", "'3/4"},
        {"an apostrophe", "'quoted", "''quoted"},
        {"a tab inside", "a\tb", "a\xE2\x90\x89" "b"},
        {"a NUL inside", std::string("cut\0here", 8), "cut\xE2\x90\x80here"},
        {"DEL", "x\x7F", "x\xE2\x90\xA1"},
        {"double quotes", "say \"hi\"", "\"say \"\"hi\"\"\""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(textField(c.value, true), c.field) << c.name;
    }
    // The 95 family's code pages have no control pictures.
    EXPECT_EQ(withVisibleControls(std::string("a\tb\0c\x7F", 6), false), "a^Ib^@c^?");
}

LineRecord windowRecord(std::uint32_t stamp, const std::string& title) {
    ForegroundFacts facts;
    facts.title = title;
    facts.className = "ConsoleWindowClass";
    facts.visible = 1;
    facts.left = -8;
    facts.top = 10;
    facts.right = 632;
    facts.bottom = 490;
    facts.exePath = "C:\\Windows\\System32\\conhost.exe";
    facts.pid = 4120;
    facts.style = 0x1E000000;
    ProcessDetails details;
    details.parentPid = 812;
    details.parentExe = "C:\\Windows\\System32\\svchost.exe";
    details.commandLine = "cmd.exe /c \"C:\\Tools\\sync.cmd\"";
    details.parentCommandLine = "svchost.exe -k netsvcs -p -s Schedule";
    LineRecord record = recordOf("a line", nullptr, {dateOf(2026, 12, 7), 50607512, stamp}, facts, details, {});
    record.cause.cause = Cause::byItself;
    record.cause.sinceInputMs = 2300;
    return record;
}

bool endsWith(const std::string& text, const std::string& end) {
    return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

HWND windowNumber(UINT_PTR n) {
    return reinterpret_cast<HWND>(n);
}

// A, then B, then a moment with none, then A again: B gave the front back.
TEST(DetailsTable, AWindowGaveTheFrontBackWhenTheOneBeforeItCameNext) {
    LogBook book;
    const struct {
        UINT_PTR window;
        UINT_PTR before;
        const char* title;
    } changes[] = {{1, 9, "Editor"}, {2, 1, "Thief"}, {0, 2, ""}, {1, 2, "Editor"}};
    for (const auto& change : changes) {
        LineRecord record = windowRecord(0, change.title);
        record.window = windowNumber(change.window);
        record.windowBefore = windowNumber(change.before);
        book.add(record);
    }
    const LogBook::GaveBack expected[] = {LogBook::GaveBack::no, LogBook::GaveBack::yes, LogBook::GaveBack::none,
                                          LogBook::GaveBack::notYet};
    for (int index = 0; index < 4; ++index) {
        EXPECT_EQ(book.gaveBackOf(index), expected[index]) << index;
    }
    const std::string row = detailsRow(book, 1, true);
    EXPECT_TRUE(endsWith(row, "\tby itself\t2300\tyes\r\n")) << row;
    EXPECT_NE(tipText(book, 1, true, true).find("\r\nby itself (your last input 2300 ms before), then gave the front "
                                                "back to Editor\r\n"),
              std::string::npos);
}

TEST(DetailsTable, OneRowPerLineUnderTheHeader) {
    LogBook book;
    book.add(windowRecord(1000, "C:\\Windows\\system32\\cmd.exe"));
    LineRecord framed = windowRecord(1042, "=cmd");
    framed.frame = {4410, "C:\\Windows\\System32\\ApplicationFrameHost.exe"};
    book.add(framed);
    EXPECT_EQ(detailsHeader(),
              "time\theld ms\ttitle\tclass\tvisible\tleft\ttop\twidth\theight\texe\tpid\tstyle\tminimised\t"
              "parent pid\tparent exe\tcommand line\tparent command line\tframe host exe\tframe host pid\t"
              "cause\tsince input ms\tgave back\r\n");
    EXPECT_EQ(detailsRow(book, 0, true),
              "2026-12-07 14:03:27.512\t42\tC:\\Windows\\system32\\cmd.exe\tConsoleWindowClass\tyes\t"
              "-8\t10\t640\t480\tC:\\Windows\\System32\\conhost.exe\t4120\t0x1E000000\t0\t812\t"
              "C:\\Windows\\System32\\svchost.exe\t\"cmd.exe /c \"\"C:\\Tools\\sync.cmd\"\"\"\t"
              "svchost.exe -k netsvcs -p -s Schedule\t\t\tby itself\t2300\t\r\n");
    const std::string newest = detailsRow(book, 1, true);
    EXPECT_EQ(newest.substr(0, 31), "2026-12-07 14:03:27.512\t\t'=cmd\t") << "the newest line has no hold yet";
    EXPECT_TRUE(endsWith(newest, "\tC:\\Windows\\System32\\ApplicationFrameHost.exe\t4410\tby itself\t2300\t\r\n"))
        << newest;
    EXPECT_EQ(foreignRow("title='x'  cls='y'", true), "\t\ttitle='x'  cls='y'" + std::string(19, '\t') + "\r\n");
}

TEST(TipText, TheDetailsGoUnderTheTimeWithinTheTooltipsLimit) {
    LogBook book;
    LineRecord record = windowRecord(1000, "cmd");
    record.frame = {4410, "C:\\Windows\\System32\\ApplicationFrameHost.exe"};
    record.details.commandLine = "cmd.exe\t/c";
    book.add(record);
    EXPECT_EQ(tipText(book, 0, false, true), "2026-12-07 14:03:27.512, still in front");
    EXPECT_EQ(tipText(book, 0, true, true),
              "2026-12-07 14:03:27.512, still in front\r\n"
              "by itself (your last input 2300 ms before)\r\n"
              "in the frame of C:\\Windows\\System32\\ApplicationFrameHost.exe (pid 4410)\r\n"
              "started by C:\\Windows\\System32\\svchost.exe (pid 812)\r\n"
              "cmd.exe\xE2\x90\x89/c");

    // A command line of 3,000 characters, the last of them beyond U+FFFF.
    book.clear();
    record.details.commandLine = std::string(2990, 'x') + "\xF0\x9F\x98\x80";
    book.add(record);
    const std::string tip = tipText(book, 0, true, true);
    EXPECT_EQ(utf16Units(tip), longestTip);
    EXPECT_EQ(tip.substr(tip.size() - 3), "...");
}

TEST(TipText, ALongLineBreaksAtABlankOrWhereItMust) {
    EXPECT_EQ(wrapText("", 10), "");
    EXPECT_EQ(wrapText("short", 10), "short");
    EXPECT_EQ(wrapText("abc defgh ijklmnop", 10), "abc defgh \r\nijklmnop");
    EXPECT_EQ(wrapText("abcdefghijklmnopqrstu", 10), "abcdefghij\r\nklmnopqrst\r\nu");
    EXPECT_EQ(wrapText("\xD0\x9F\xD1\x80\xD0\xB8\xD0\xB2\xD0\xB5\xD1\x82", 4),
              "\xD0\x9F\xD1\x80\xD0\xB8\xD0\xB2\r\n\xD0\xB5\xD1\x82");  // characters, not bytes
}

}  // namespace
