#include "e2e/harness/expectedLine.h"

#include <algorithm>
#include <cstdio>

#include "e2e/harness/environment.h"

namespace e2e {

namespace {

std::string signedDecimal(long value) {
    char text[32];
    std::snprintf(text, sizeof text, "%ld", value);
    return text;
}

std::string upperHex(DWORD value) {
    char text[16];
    std::snprintf(text, sizeof text, "%lX", static_cast<unsigned long>(value));
    return text;
}

std::string pidField(DWORD pid) {
    // Process ids are shown as signed 32-bit numbers.
    return "  pid=" + signedDecimal(static_cast<LONG>(pid)) + "  style=";
}

}  // namespace

WindowFacts ordinaryWindowFacts(const std::string& title, const std::string& className,
                                const RECT& rect, DWORD style) {
    WindowFacts facts;
    facts.title = title;
    facts.className = className;
    facts.visible = true;
    facts.rect = rect;
    facts.exe = ownExePath();
    facts.pid = GetCurrentProcessId();
    facts.style = style;
    facts.iconic = 0;
    return facts;
}

std::string expectedLine(const WindowFacts& facts) {
    const RECT& r = facts.rect;
    return "title='" + facts.title + "'  cls='" + facts.className + "'  vis=" +
           (facts.visible ? "yes" : "no") + "  pos=" + signedDecimal(r.left) + "," +
           signedDecimal(r.top) + "," + signedDecimal(r.right - r.left) + "," +
           signedDecimal(r.bottom - r.top) + "  exe='" + facts.exe + "'" + pidField(facts.pid) +
           upperHex(facts.style) + "  iconic=" + signedDecimal(facts.iconic);
}

std::string noWindowLine() {
    return "title=''  cls=''  vis=no  pos=0,0,0,0  exe=''  pid=0  style=0  iconic=0";
}

std::vector<std::string> linesOfProcess(const std::vector<std::string>& lines, DWORD pid) {
    std::vector<std::string> found;
    const std::string field = pidField(pid);
    for (const std::string& line : lines) {
        if (line.find(field) != std::string::npos) {
            found.push_back(line);
        }
    }
    return found;
}

std::vector<std::string> withoutNoWindowLines(const std::vector<std::string>& lines) {
    std::vector<std::string> kept;
    for (const std::string& line : lines) {
        if (line != noWindowLine()) {
            kept.push_back(line);
        }
    }
    return kept;
}

int occurrences(const std::vector<std::string>& lines, const std::string& line) {
    return static_cast<int>(std::count(lines.begin(), lines.end(), line));
}

int indexOf(const std::vector<std::string>& lines, const std::string& line) {
    const auto found = std::find(lines.begin(), lines.end(), line);
    return found == lines.end() ? -1 : static_cast<int>(found - lines.begin());
}

std::string listing(const std::vector<std::string>& lines) {
    std::string text;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        text += "  [" + std::to_string(i) + "] " + lines[i] + "\n";
    }
    return text.empty() ? "  (no lines)\n" : text;
}

}  // namespace e2e
