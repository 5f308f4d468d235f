#include "support/basStrings.h"

#include <windows.h>

#include "support/basOSinfo.h"
#include "support/systemText.h"

std::string nTrim(const std::string& text) {
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos) {
        return std::string();
    }
    const std::size_t last = text.find_last_not_of(' ');
    std::string trimmed = text.substr(first, last - first + 1);
    const std::size_t nul = trimmed.find('\0');
    if (nul != std::string::npos) {
        trimmed.resize(nul);
    }
    return trimmed;
}

std::string stripTrailingBackslash(const std::string& path) {
    const std::size_t n = path.size();
    if (n >= 2 && path[n - 2] == ':' && path[n - 1] == '\\') {
        return path;
    }
    if (n >= 1 && path[n - 1] == '\\') {
        return path.substr(0, n - 1);
    }
    return path;
}

int keptTextLength(int reportedLength) {
    if (reportedLength < 0) {
        return 0;
    }
    return reportedLength < longestKeptText ? reportedLength : longestKeptText;
}

std::string blankBuffer(std::size_t length) {
    return std::string(length, ' ');
}

bool tryFileCopy(const std::string& sourcePath, const std::string& destinationPath) {
    // A path with an embedded NUL would name a different file than asked for.
    if (sourcePath.find('\0') != std::string::npos ||
        destinationPath.find('\0') != std::string::npos) {
        return false;
    }
    if (OSInfo.isNT) {
        return CopyFileW(wideFromText(sourcePath).c_str(), wideFromText(destinationPath).c_str(),
                         FALSE) != FALSE;
    }
    return CopyFileA(sourcePath.c_str(), destinationPath.c_str(), FALSE) != FALSE;
}
