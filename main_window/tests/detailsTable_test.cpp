#include "main_window/detailsTable.h"

#include <gtest/gtest.h>

#include "main_window/tipText.h"

namespace {

TEST(DetailsTable, AValueIsQuotedAndKeptFromBecomingAFormula) {
    const struct {
        const char* value;
        const char* field;
    } cases[] = {
        {"Report.txt - Editor", "Report.txt - Editor"},
        {"", ""},
        {"=HYPERLINK(\"x\")", "\"'=HYPERLINK(\"\"x\"\")\""},
        {"+1", "'+1"},
        {"@SUM(A1)", "'@SUM(A1)"},
        {"-x", "'-x"},
        {"-745023", "-745023"},  // a process id of the 95 family stays a number
        {"-8,-8,1936,1056", "'-8,-8,1936,1056"},
        {"a\tb", "\"a\tb\""},
        {"two\r\nlines", "\"two\r\nlines\""},
        {"say \"hi\"", "\"say \"\"hi\"\"\""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(tableField(c.value), c.field) << c.value;
    }
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
    facts.style = 0x14CF0000;
    ProcessDetails details;
    details.parentPid = 812;
    details.parentExe = "C:\\Windows\\System32\\svchost.exe";
    details.commandLine = "cmd.exe /c \"C:\\Tools\\sync.cmd\"";
    details.parentCommandLine = "svchost.exe -k netsvcs -p -s Schedule";
    return recordOf("a line", {dateOf(2026, 12, 7), 50607512, stamp}, facts, details, {});
}

TEST(DetailsTable, OneRowPerLineUnderTheHeader) {
    LogBook book;
    book.add(windowRecord(1000, "C:\\Windows\\system32\\cmd.exe"));
    book.add(windowRecord(1042, "=cmd"));
    book.alignTo(3);  // a line someone else put into the list goes in front
    EXPECT_EQ(detailsHeader(),
              "time\theld ms\ttitle\tclass\tvisible\tposition\texe\tpid\tstyle\tminimised\t"
              "parent pid\tparent exe\tcommand line\tparent command line\r\n");
    EXPECT_EQ(detailsRow(book, 0, "title='x'  cls='y'"), "\t\ttitle='x'  cls='y'\t\t\t\t\t\t\t\t\t\t\t\r\n");
    EXPECT_EQ(detailsRow(book, 1, ""),
              "2026-12-07 14:03:27.512\t42\tC:\\Windows\\system32\\cmd.exe\tConsoleWindowClass\tyes\t"
              "'-8,10,640,480\tC:\\Windows\\System32\\conhost.exe\t4120\t14CF0000\t0\t812\t"
              "C:\\Windows\\System32\\svchost.exe\t\"cmd.exe /c \"\"C:\\Tools\\sync.cmd\"\"\"\t"
              "svchost.exe -k netsvcs -p -s Schedule\r\n");
    const std::string newest = detailsRow(book, 2, "");
    EXPECT_EQ(newest.substr(0, 26), "2026-12-07 14:03:27.512\t\t'") << "the newest line has no hold yet";
}

TEST(TipText, TheDetailsGoUnderTheTimeWithinTheTooltipsLimit) {
    LogBook book;
    LineRecord record = windowRecord(1000, "cmd");
    record.frame = {4410, "C:\\Windows\\System32\\ApplicationFrameHost.exe"};
    book.add(record);
    EXPECT_EQ(tipText(book, 0, false), "2026-12-07 14:03:27.512, still in front");
    EXPECT_EQ(tipText(book, 0, true),
              "2026-12-07 14:03:27.512, still in front\r\n"
              "in the frame of C:\\Windows\\System32\\ApplicationFrameHost.exe (pid 4410)\r\n"
              "started by C:\\Windows\\System32\\svchost.exe (pid 812)\r\n"
              "cmd.exe /c \"C:\\Tools\\sync.cmd\"");

    // A command line of 3,000 characters, the last of them beyond U+FFFF.
    book.clear();
    record.details.commandLine = std::string(2990, 'x') + "\xF0\x9F\x98\x80";
    book.add(record);
    const std::string tip = tipText(book, 0, true);
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
