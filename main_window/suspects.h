// The Suspects table: one row per program of the log, so that the program
// that keeps taking the front by itself stands on top. Pure: made from the
// book (logBook.h).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "main_window/logBook.h"

struct Suspect {
    std::string program;             // the executable, or the class where there is none
    int byItself = 0;                // changes with that cause
    int gaveBack = 0;
    int timesInFront = 0;
    std::int64_t shortestHoldMs = -1;  // -1: no hold known yet
    std::int64_t medianHoldMs = -1;
    std::string lastTime;            // of its newest line
    std::string startedBy;           // its newest line's parent executable
    std::string commandLine;         // its newest line's
    std::uint32_t newestSerial = 0;  // its newest line
};

enum class SuspectColumn {
    program,
    byItself,
    gaveBack,
    timesInFront,
    shortestHold,
    medianHold,
    lastTime,
    startedBy,
    commandLine,
};
constexpr int suspectColumns = 9;

// The column's name, as the table's header and the window show it.
const char* suspectColumnName(int column);

// One row per program that came to the front, in the order of its first
// line; moments with no window in front belong to none. A hold is known for
// every line but the newest.
std::vector<Suspect> suspectsOf(const LogBook& book);

// The culprit on top: most often in front by itself, then the shortest hold
// (then the name).
void sortByCulprit(std::vector<Suspect>& suspects);
// By one column: counts and times most first, holds shortest first, texts
// from A; `reversed` turns that round. Ties go in the culprit's order.
void sortByColumn(std::vector<Suspect>& suspects, int column, bool reversed);

// The value of `column` as the window shows it: numbers in decimal, an
// unknown hold empty, texts with control characters shown (visibleText.h).
std::string suspectCell(const Suspect& suspect, int column, bool unicodeText);

// The table as the clipboard takes it, under the same rules as the log's
// (detailsTable.h): the header, then one row per suspect.
std::string suspectsHeader();
std::string suspectRow(const Suspect& suspect, bool unicodeText);
