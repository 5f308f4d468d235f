#include "main_window/logLine.h"

#include <climits>

#include <gtest/gtest.h>

TEST(NumberFormats, DecimalIsSignedWithoutPadding) {
    EXPECT_EQ(formatDecimal(0), "0");
    EXPECT_EQ(formatDecimal(-4), "-4");
    EXPECT_EQ(formatDecimal(312), "312");
    EXPECT_EQ(formatDecimal(-32000), "-32000");
    EXPECT_EQ(formatDecimal(INT_MIN), "-2147483648");
    EXPECT_EQ(formatDecimal(INT_MAX), "2147483647");
}

TEST(NumberFormats, HexIsUpperCaseWithoutLeadingZeros) {
    EXPECT_EQ(formatHex(0), "0");
    EXPECT_EQ(formatHex(0xA), "A");
    EXPECT_EQ(formatHex(0x14CF0000), "14CF0000");
    EXPECT_EQ(formatHex(0xB0C80000), "B0C80000");
    EXPECT_EQ(formatHex(0x80000000), "80000000");
    EXPECT_EQ(formatHex(0xFFFFFFFF), "FFFFFFFF");
}

TEST(LogLine, OrdinaryWindowOnTheNtFamily) {
    ForegroundFacts facts;
    facts.title = "Report.txt - Editor";
    facts.className = "EditorFrame";
    facts.visible = true;
    facts.left = 120;
    facts.top = 80;
    facts.right = 760;
    facts.bottom = 560;
    facts.exePath = "C:\\Tools\\Editor\\editor.exe";
    facts.pid = 312;
    facts.style = 0x14CF0000;
    facts.iconic = 0;
    EXPECT_EQ(buildLogLine(facts),
              "title='Report.txt - Editor'  cls='EditorFrame'  vis=yes  pos=120,80,640,480  "
              "exe='C:\\Tools\\Editor\\editor.exe'  pid=312  style=14CF0000  iconic=0");
}

TEST(LogLine, MinimisedPopupWithTopBitProcessId) {
    ForegroundFacts facts;
    facts.title = "Setup";
    facts.className = "SetupFrame";
    facts.visible = true;
    facts.left = -32000;
    facts.top = -32000;
    facts.right = -32000 + 160;
    facts.bottom = -32000 + 24;
    facts.pid = static_cast<std::uint32_t>(-745023);
    facts.style = 0xB0C80000;
    facts.iconic = 1;
    EXPECT_EQ(buildLogLine(facts),
              "title='Setup'  cls='SetupFrame'  vis=yes  pos=-32000,-32000,160,24  exe=''  "
              "pid=-745023  style=B0C80000  iconic=1");
}

TEST(LogLine, NoForegroundWindow) {
    EXPECT_EQ(buildLogLine(ForegroundFacts()),
              "title=''  cls=''  vis=no  pos=0,0,0,0  exe=''  pid=0  style=0  iconic=0");
}

TEST(LogLine, ValuesAreWrittenUnescaped) {
    ForegroundFacts facts;
    facts.title = "it's\tA\r\nB";
    facts.className = "o'clock";
    facts.exePath = "C:\\Bob's\\x.exe";
    EXPECT_EQ(buildLogLine(facts),
              "title='it's\tA\r\nB'  cls='o'clock'  vis=no  pos=0,0,0,0  exe='C:\\Bob's\\x.exe'  "
              "pid=0  style=0  iconic=0");
}

TEST(LogLine, ExtremeRectangleDoesNotOverflow) {
    ForegroundFacts facts;
    facts.left = INT_MIN;
    facts.top = INT_MAX;
    facts.right = INT_MAX;
    facts.bottom = INT_MIN;
    const std::string line = buildLogLine(facts);
    EXPECT_NE(line.find("pos=-2147483648,2147483647,4294967295,-4294967295  "), std::string::npos)
        << line;
}
