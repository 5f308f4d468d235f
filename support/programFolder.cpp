#include "support/programFolder.h"

#include <windows.h>

#include "support/basOSinfo.h"
#include "support/systemText.h"

std::string appFolder;

namespace {

// The full path of the running executable, or empty text.
std::string programPath() {
    constexpr DWORD capacity = MAX_PATH * 4;
    if (OSInfo.isNT) {
        wchar_t path[capacity];
        const DWORD length = GetModuleFileNameW(nullptr, path, capacity);
        return length == 0 || length >= capacity ? std::string() : textFromWide(path, length);
    }
    char path[capacity];
    const DWORD length = GetModuleFileNameA(nullptr, path, capacity);
    return length == 0 || length >= capacity ? std::string() : std::string(path, length);
}

}  // namespace

std::string programFolder() {
    const std::string fullPath = programPath();
    const std::size_t lastBackslash = fullPath.rfind('\\');
    return lastBackslash == std::string::npos ? std::string() : fullPath.substr(0, lastBackslash + 1);
}
