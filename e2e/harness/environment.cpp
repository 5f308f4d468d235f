#include "e2e/harness/environment.h"

#include <windows.h>

#include <cstdlib>

namespace e2e {

std::string environmentValue(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? std::string(value) : std::string();
}

std::string windowsPathOf(const std::string& path) {
    if (path.empty() || path[0] != '/') {
        return path;
    }
    std::string converted = "Z:" + path;
    for (char& c : converted) {
        if (c == '/') {
            c = '\\';
        }
    }
    return converted;
}

std::string programPath() {
    return windowsPathOf(environmentValue("TARNWICK_E2E_EXE"));
}

std::string stderrLogPath() {
    return windowsPathOf(environmentValue("TARNWICK_E2E_STDERR_LOG"));
}

std::string standinsFolder() {
    return windowsPathOf(environmentValue("TARNWICK_E2E_STANDINS"));
}

std::string ownExePath() {
    char buffer[MAX_PATH + 1] = {};
    const DWORD length = GetModuleFileNameA(nullptr, buffer, MAX_PATH);
    return std::string(buffer, length);
}

}  // namespace e2e
