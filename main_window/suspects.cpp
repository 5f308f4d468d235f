#include "main_window/suspects.h"

#include <algorithm>

#include "main_window/detailsTable.h"
#include "main_window/visibleText.h"

namespace {

const char* const columnNames[suspectColumns] = {
    "program",          "by itself",        "gave back", "times in front", "shortest hold ms",
    "median hold ms",   "last time",        "started by", "command line",
};

// The columns that hold texts other programs chose; null for the others.
const std::string* chosenText(const Suspect& suspect, int column) {
    switch (static_cast<SuspectColumn>(column)) {
    case SuspectColumn::program:
        return &suspect.program;
    case SuspectColumn::startedBy:
        return &suspect.startedBy;
    case SuspectColumn::commandLine:
        return &suspect.commandLine;
    default:
        return nullptr;
    }
}

std::int64_t median(std::vector<std::uint32_t>& holds) {
    if (holds.empty()) {
        return -1;
    }
    const auto middle = holds.begin() + static_cast<std::ptrdiff_t>((holds.size() - 1) / 2);
    std::nth_element(holds.begin(), middle, holds.end());
    return *middle;
}

// An unknown hold goes after every known one.
std::uint64_t holdKey(std::int64_t hold) {
    return hold < 0 ? UINT64_MAX : static_cast<std::uint64_t>(hold);
}

// Ties go by the program's name, so that every order is one order. The
// comparisons stay out of line: the sort would copy them into each of its
// pieces.
[[gnu::noinline]] bool culpritFirst(const Suspect& a, const Suspect& b) {
    if (a.byItself != b.byItself) {
        return a.byItself > b.byItself;
    }
    if (a.shortestHoldMs != b.shortestHoldMs) {
        return holdKey(a.shortestHoldMs) < holdKey(b.shortestHoldMs);
    }
    return a.program < b.program;
}

// Negative when `a` comes before `b` in the column's own order.
[[gnu::noinline]] int compareIn(int column, const Suspect& a, const Suspect& b) {
    const auto most = [](std::int64_t x, std::int64_t y) { return x > y ? -1 : x < y ? 1 : 0; };
    const auto least = [](std::uint64_t x, std::uint64_t y) { return x < y ? -1 : x > y ? 1 : 0; };
    switch (static_cast<SuspectColumn>(column)) {
    case SuspectColumn::program:
        return a.program.compare(b.program);
    case SuspectColumn::byItself:
        return most(a.byItself, b.byItself);
    case SuspectColumn::gaveBack:
        return most(a.gaveBack, b.gaveBack);
    case SuspectColumn::timesInFront:
        return most(a.timesInFront, b.timesInFront);
    case SuspectColumn::shortestHold:
        return least(holdKey(a.shortestHoldMs), holdKey(b.shortestHoldMs));
    case SuspectColumn::medianHold:
        return least(holdKey(a.medianHoldMs), holdKey(b.medianHoldMs));
    case SuspectColumn::lastTime:
        return b.lastTime.compare(a.lastTime);
    case SuspectColumn::startedBy:
        return a.startedBy.compare(b.startedBy);
    case SuspectColumn::commandLine:
        return a.commandLine.compare(b.commandLine);
    }
    return 0;
}

}  // namespace

const char* suspectColumnName(int column) {
    return column >= 0 && column < suspectColumns ? columnNames[column] : "";
}

std::vector<Suspect> suspectsOf(const LogBook& book) {
    std::vector<Suspect> suspects;
    std::vector<std::vector<std::uint32_t>> holds;
    // The programs seen so far, sorted, each with its row.
    std::vector<std::pair<std::string, std::size_t>> rowOf;
    for (int index = 0; index < book.lines(); ++index) {
        const LineRecord& record = book.at(index);
        if (record.window == nullptr) {
            continue;
        }
        const std::string& program = record.facts.exePath.empty() ? record.facts.className : record.facts.exePath;
        auto found = std::lower_bound(rowOf.begin(), rowOf.end(), program,
                                      [](const std::pair<std::string, std::size_t>& seen, const std::string& name) {
                                          return seen.first < name;
                                      });
        if (found == rowOf.end() || found->first != program) {
            found = rowOf.insert(found, {program, suspects.size()});
            suspects.emplace_back();
            suspects.back().program = program;
            holds.emplace_back();
        }
        const std::size_t row = found->second;
        Suspect& suspect = suspects[row];
        ++suspect.timesInFront;
        suspect.byItself += record.cause.cause == Cause::byItself ? 1 : 0;
        suspect.gaveBack += book.gaveBackOf(index) == LogBook::GaveBack::yes ? 1 : 0;
        if (!book.isNewest(index)) {
            holds[row].push_back(book.heldMsOf(index));
        }
        suspect.lastTime = localTimeText(record.front);
        suspect.startedBy = record.details.parentExe;
        suspect.commandLine = record.details.commandLine;
        suspect.newestSerial = record.serial;
    }
    for (std::size_t row = 0; row < suspects.size(); ++row) {
        if (!holds[row].empty()) {
            suspects[row].shortestHoldMs = *std::min_element(holds[row].begin(), holds[row].end());
        }
        suspects[row].medianHoldMs = median(holds[row]);
    }
    return suspects;
}

namespace {

// The rows in the order `before` gives them. Their places are sorted, not
// the rows themselves, which are large to move.
template <typename Before>
void sortRows(std::vector<Suspect>& suspects, Before before) {
    std::vector<Suspect*> order;
    order.reserve(suspects.size());
    for (Suspect& suspect : suspects) {
        order.push_back(&suspect);
    }
    std::sort(order.begin(), order.end(), [&before](const Suspect* a, const Suspect* b) { return before(*a, *b); });
    std::vector<Suspect> sorted;
    sorted.reserve(suspects.size());
    for (Suspect* suspect : order) {
        sorted.push_back(std::move(*suspect));
    }
    suspects.swap(sorted);
}

}  // namespace

void sortByCulprit(std::vector<Suspect>& suspects) {
    sortRows(suspects, culpritFirst);
}

void sortByColumn(std::vector<Suspect>& suspects, int column, bool reversed) {
    sortRows(suspects, [column, reversed](const Suspect& a, const Suspect& b) {
        const int order = compareIn(column, a, b);
        if (order != 0) {
            return reversed ? order > 0 : order < 0;
        }
        return culpritFirst(a, b);
    });
}

std::string suspectCell(const Suspect& suspect, int column, bool unicodeText) {
    if (const std::string* text = chosenText(suspect, column)) {
        return withVisibleControls(*text, unicodeText);
    }
    const auto hold = [](std::int64_t ms) { return ms < 0 ? std::string() : formatDecimal(ms); };
    switch (static_cast<SuspectColumn>(column)) {
    case SuspectColumn::byItself:
        return formatDecimal(suspect.byItself);
    case SuspectColumn::gaveBack:
        return formatDecimal(suspect.gaveBack);
    case SuspectColumn::timesInFront:
        return formatDecimal(suspect.timesInFront);
    case SuspectColumn::shortestHold:
        return hold(suspect.shortestHoldMs);
    case SuspectColumn::medianHold:
        return hold(suspect.medianHoldMs);
    case SuspectColumn::lastTime:
        return suspect.lastTime;
    default:
        return std::string();
    }
}

std::string suspectsHeader() {
    return headerRow(columnNames, suspectColumns);
}

std::string suspectRow(const Suspect& suspect, bool unicodeText) {
    std::string row;
    for (int column = 0; column < suspectColumns; ++column) {
        row += column > 0 ? "\t" : "";
        const std::string* text = chosenText(suspect, column);
        row += text != nullptr ? textField(*text, unicodeText) : suspectCell(suspect, column, unicodeText);
    }
    return row + "\r\n";
}
