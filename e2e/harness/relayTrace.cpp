#include "e2e/harness/relayTrace.h"

#include <cstdio>
#include <cstring>

#include "e2e/harness/environment.h"

namespace e2e {

namespace {

const char callMark[] = ":Call ";

// The arguments of a call, split at the commas that stand outside quotes.
std::vector<std::string> splitArguments(const std::string& text) {
    std::vector<std::string> arguments;
    std::string current;
    bool quoted = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (quoted && c == '\\' && i + 1 < text.size()) {
            current += c;
            current += text[++i];
            continue;
        }
        if (c == '"') {
            quoted = !quoted;
        } else if (c == ',' && !quoted) {
            arguments.push_back(current);
            current.clear();
            continue;
        }
        current += c;
    }
    if (!text.empty()) {
        arguments.push_back(current);
    }
    return arguments;
}

// Whether `called` ("KERNEL32.CopyFileW") is `function` ("kernel32.CopyFileW",
// or "CopyFileW" for any DLL).
bool isFunction(const std::string& called, const std::string& function) {
    const std::size_t dot = called.find('.');
    const std::string name = dot == std::string::npos ? called : called.substr(dot + 1);
    if (function.find('.') == std::string::npos) {
        return name == function;
    }
    return called.size() == function.size() && name == function.substr(function.find('.') + 1) &&
           _strnicmp(called.c_str(), function.c_str(), dot) == 0;
}

// The call on `line`, if it is a call of `function`.
bool callOn(const std::string& line, const std::string& function, TracedCall& call) {
    const std::size_t at = line.find(callMark);
    if (at == std::string::npos) {
        return false;
    }
    const std::size_t nameStart = at + std::strlen(callMark);
    const std::size_t open = line.find('(', nameStart);
    const std::size_t close = line.rfind(')');
    if (open == std::string::npos || close == std::string::npos || close < open ||
        !isFunction(line.substr(nameStart, open - nameStart), function)) {
        return false;
    }
    call.argumentText = line.substr(open + 1, close - open - 1);
    call.arguments = splitArguments(call.argumentText);
    return true;
}

}  // namespace

std::vector<std::string> traceLinesOfThread(const std::string& log, DWORD threadId) {
    char prefix[16];
    std::snprintf(prefix, sizeof prefix, "%04lx:", static_cast<unsigned long>(threadId));
    const std::size_t prefixLength = std::strlen(prefix);
    std::vector<std::string> found;
    std::size_t begin = 0;
    while (begin < log.size()) {
        std::size_t end = log.find('\n', begin);
        if (end == std::string::npos) {
            end = log.size();
        }
        if (log.compare(begin, prefixLength, prefix) == 0) {
            found.push_back(log.substr(begin, end - begin));
        }
        begin = end + 1;
    }
    return found;
}

std::vector<TracedCall> callsOf(const std::vector<std::string>& trace, const std::string& function) {
    std::vector<TracedCall> calls;
    for (std::size_t i = 0; i < trace.size(); ++i) {
        TracedCall call;
        if (callOn(trace[i], function, call)) {
            call.index = static_cast<int>(i);
            calls.push_back(call);
        }
    }
    return calls;
}

int countCalls(const std::vector<std::string>& trace, const std::string& function,
               const std::string& arguments) {
    int count = 0;
    for (const TracedCall& call : callsOf(trace, function)) {
        if (arguments.empty() || call.argumentText == arguments) {
            ++count;
        }
    }
    return count;
}

int findCall(const std::vector<std::string>& trace, const std::string& function, int from) {
    for (const TracedCall& call : callsOf(trace, function)) {
        if (call.index >= from) {
            return call.index;
        }
    }
    return -1;
}

int findInTrace(const std::vector<std::string>& trace, const std::string& text, int from) {
    for (std::size_t i = from < 0 ? 0 : static_cast<std::size_t>(from); i < trace.size(); ++i) {
        if (trace[i].find(text) != std::string::npos) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

std::string tracedHandle(HWND window) {
    char text[24];
    std::snprintf(text, sizeof text, "%08llx",
                  static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(window)));
    return text;
}

std::string tracedString(const std::string& text) {
    std::string quoted = "\"";
    for (char c : text) {
        if (c == '\\') {
            quoted += "\\\\";
        } else {
            quoted += c;
        }
    }
    return quoted + "\"";
}

std::string quotedPart(const std::string& argument) {
    const std::size_t quote = argument.find('"');
    return quote == std::string::npos ? argument : argument.substr(quote);
}

std::string tracedWindow(HWND window) {
    char text[40];
    std::snprintf(text, sizeof text, programIs32Bit() ? "hwnd=%08llX" : "hwnd=%016llX",
                  static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(window)));
    return text;
}

int findMessage(const std::vector<std::string>& trace, HWND window, const std::string& message,
                int from) {
    const std::string target = "(" + tracedWindow(window) + ",msg=" + message + ",";
    for (int i = from < 0 ? 0 : from; i < static_cast<int>(trace.size()); ++i) {
        if (trace[i].find("Call window proc") != std::string::npos &&
            trace[i].find(target) != std::string::npos) {
            return i;
        }
    }
    return -1;
}

int countMessages(const std::vector<std::string>& trace, HWND window, const std::string& message) {
    int count = 0;
    for (int at = findMessage(trace, window, message); at >= 0;
         at = findMessage(trace, window, message, at + 1)) {
        ++count;
    }
    return count;
}

}  // namespace e2e
