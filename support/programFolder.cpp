#include "support/programFolder.h"

#include <windows.h>

std::string appFolder;

std::string programFolder() {
    char path[MAX_PATH * 4];
    const DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
    if (length == 0 || length >= sizeof path) {
        return std::string();
    }
    const std::string fullPath(path, length);
    const std::size_t lastBackslash = fullPath.rfind('\\');
    return lastBackslash == std::string::npos ? std::string() : fullPath.substr(0, lastBackslash + 1);
}
