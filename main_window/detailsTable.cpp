#include "main_window/detailsTable.h"

#include <cstdint>

#include "main_window/visibleText.h"

namespace {

const char* const columns[] = {
    "time",       "held ms",     "title",          "class",       "visible",      "left",
    "top",        "width",       "height",         "exe",         "pid",          "style",
    "minimised",  "parent pid",  "parent exe",     "command line", "parent command line",
    "frame host exe", "frame host pid", "cause",       "since input ms", "gave back",
};
constexpr int columnCount = sizeof columns / sizeof columns[0];

bool startsLikeDataOrFormula(const std::string& value) {
    const std::size_t first = value.find_first_not_of(" \t\r\n");
    if (first == std::string::npos) {
        return false;
    }
    const char c = value[first];
    return c == '=' || c == '+' || c == '-' || c == '@' || c == '\'' || (c >= '0' && c <= '9');
}

std::string signedPid(std::uint32_t pid) {
    return formatDecimal(static_cast<std::int32_t>(pid));
}

class Row {
public:
    explicit Row(bool unicodeText) : unicodeText_(unicodeText) {}
    // A value the program wrote itself: a number, the time, yes or no.
    void ours(const std::string& value) { add(value); }
    void theirs(const std::string& value) { add(textField(value, unicodeText_)); }
    std::string end() {
        while (fields_ < columnCount) {
            add(std::string());
        }
        return text_ + "\r\n";
    }

private:
    void add(const std::string& field) {
        if (fields_++ > 0) {
            text_ += '\t';
        }
        text_ += field;
    }

    bool unicodeText_;
    int fields_ = 0;
    std::string text_;
};

}  // namespace

std::string textField(const std::string& value, bool unicodeText) {
    std::string field = withVisibleControls(value, unicodeText);
    if (startsLikeDataOrFormula(value)) {
        field.insert(0, 1, '\'');
    }
    if (field.find('"') == std::string::npos) {
        return field;
    }
    std::string quoted = "\"";
    for (const char c : field) {
        quoted += c;
        if (c == '"') {
            quoted += '"';
        }
    }
    return quoted + "\"";
}

std::string headerRow(const char* const* names, int count) {
    std::string header;
    for (int column = 0; column < count; ++column) {
        header += column > 0 ? "\t" : "";
        header += names[column];
    }
    return header + "\r\n";
}

std::string detailsHeader() {
    return headerRow(columns, columnCount);
}

std::string detailsRow(const LogBook& book, int index, bool unicodeText) {
    const LineRecord& record = book.at(index);
    const ForegroundFacts& facts = record.facts;
    const ProcessDetails& details = record.details;
    Row row(unicodeText);
    row.ours(localTimeText(record.front));
    row.ours(book.isNewest(index) ? std::string() : formatDecimal(book.heldMsOf(index)));
    row.theirs(facts.title);
    row.theirs(facts.className);
    row.ours(facts.visible != 0 ? "yes" : "no");
    row.ours(formatDecimal(facts.left));
    row.ours(formatDecimal(facts.top));
    row.ours(formatDecimal(widthOf(facts)));
    row.ours(formatDecimal(heightOf(facts)));
    row.theirs(facts.exePath);
    row.ours(signedPid(facts.pid));
    row.ours("0x" + formatHex(facts.style));
    row.ours(formatDecimal(facts.iconic));
    row.ours(details.parentPid != 0 ? signedPid(details.parentPid) : std::string());
    row.theirs(details.parentExe);
    row.theirs(details.commandLine);
    row.theirs(details.parentCommandLine);
    row.theirs(record.frame.exe);
    row.ours(record.frame.pid != 0 ? signedPid(record.frame.pid) : std::string());
    row.ours(causeName(record.cause.cause));
    row.ours(record.cause.sinceInputMs >= 0 ? formatDecimal(record.cause.sinceInputMs) : std::string());
    const LogBook::GaveBack gaveBack = book.gaveBackOf(index);
    row.ours(gaveBack == LogBook::GaveBack::yes ? "yes" : gaveBack == LogBook::GaveBack::no ? "no" : "");
    return row.end();
}

std::string foreignRow(const std::string& listText, bool unicodeText) {
    Row row(unicodeText);
    row.ours(std::string());
    row.ours(std::string());
    row.theirs(listText);
    return row.end();
}
