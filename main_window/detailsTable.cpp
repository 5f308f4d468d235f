#include "main_window/detailsTable.h"

#include <cstdint>

namespace {

bool isPlainNumber(const std::string& value) {
    std::size_t at = value.size() > 1 && value[0] == '-' ? 1 : 0;
    if (at == value.size()) {
        return false;
    }
    for (; at < value.size(); ++at) {
        if (value[at] < '0' || value[at] > '9') {
            return false;
        }
    }
    return true;
}

void addField(std::string& row, const std::string& value, bool last = false) {
    row += tableField(value);
    row += last ? "\r\n" : "\t";
}

std::string signedDecimal(std::uint32_t value) {
    return formatDecimal(static_cast<std::int32_t>(value));
}

}  // namespace

std::string tableField(const std::string& value) {
    std::string field = value;
    if (!field.empty() && (field[0] == '=' || field[0] == '+' || field[0] == '-' || field[0] == '@') &&
        !isPlainNumber(field)) {
        field.insert(0, 1, '\'');
    }
    if (field.find_first_of("\t\r\n\"") == std::string::npos) {
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

std::string detailsHeader() {
    return "time\theld ms\ttitle\tclass\tvisible\tposition\texe\tpid\tstyle\tminimised\t"
           "parent pid\tparent exe\tcommand line\tparent command line\r\n";
}

std::string detailsRow(const LogBook& book, int index, const std::string& listText) {
    std::string row;
    const LineRecord& record = book.at(index);
    if (!record.known) {
        addField(row, "");
        addField(row, "");
        addField(row, listText);
        // The eleven columns after the title.
        for (int column = 0; column < 11; ++column) {
            addField(row, "", column == 10);
        }
        return row;
    }
    const ForegroundFacts& facts = record.facts;
    const ProcessDetails& details = record.details;
    addField(row, localTimeText(record.front));
    addField(row, book.isNewest(index) ? std::string() : formatDecimal(book.heldMsOf(index)));
    addField(row, facts.title);
    addField(row, facts.className);
    addField(row, facts.visible != 0 ? "yes" : "no");
    addField(row, positionText(facts));
    addField(row, facts.exePath);
    addField(row, signedDecimal(facts.pid));
    addField(row, formatHex(facts.style));
    addField(row, formatDecimal(facts.iconic));
    addField(row, details.parentPid != 0 ? signedDecimal(details.parentPid) : std::string());
    addField(row, details.parentExe);
    addField(row, details.commandLine);
    addField(row, details.parentCommandLine, true);
    return row;
}
