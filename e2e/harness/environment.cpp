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

bool programIs32Bit() {
    static const bool is32Bit = [] {
        const HANDLE file = CreateFileA(programPath().c_str(), GENERIC_READ, FILE_SHARE_READ,
                                        nullptr, OPEN_EXISTING, 0, nullptr);
        if (file == INVALID_HANDLE_VALUE) {
            return false;
        }
        // The PE header's machine field, found through the DOS header.
        IMAGE_DOS_HEADER dos = {};
        DWORD read = 0;
        WORD machine = 0;
        if (ReadFile(file, &dos, sizeof dos, &read, nullptr) && read == sizeof dos &&
            SetFilePointer(file, dos.e_lfanew + 4, nullptr, FILE_BEGIN) != INVALID_SET_FILE_POINTER) {
            ReadFile(file, &machine, sizeof machine, &read, nullptr);
        }
        CloseHandle(file);
        return machine == IMAGE_FILE_MACHINE_I386;
    }();
    return is32Bit;
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
