#include "inventory/basWindows.h"

#include <cstdint>

#include "inventory/basProcesses.h"
#include "support/basStrings.h"

namespace {

// WS_POPUP | WS_DISABLED | 0x80, the last a class-specific style that marks
// a dialog's modal frame.
constexpr std::uint32_t nonTaskStyles = 0x88000080u;

std::string asciiLower(std::string text) {
    for (char& c : text) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return text;
}

}  // namespace

bool isTaskWindow(HWND hwnd) {
    const HWND root = getVisibleRootWindow(hwnd);
    const auto style = static_cast<std::uint32_t>(GetWindowLongA(root, GWL_STYLE));
    if ((style & nonTaskStyles) != 0) {
        return false;
    }
    const std::string className = getClassNameStr(root);
    if (className.empty()) {
        return false;
    }
    if (asciiLower(className).find("tooltip") != std::string::npos) {
        return false;
    }
    return className != "Shell_TrayWnd";
}

bool hasVisibleArea(HWND hwnd) {
    if (IsWindowVisible(hwnd) != 1) {
        return false;
    }
    RECT rect = {0, 0, 0, 0};
    GetWindowRect(hwnd, &rect);
    const std::int64_t height = static_cast<std::int64_t>(rect.bottom) - rect.top;
    const std::int64_t width = static_cast<std::int64_t>(rect.right) - rect.left;
    return height > 0 && width > 0;
}

std::string getClassNameStr(HWND hwnd) {
    const int copied = GetClassNameA(hwnd, sharedTextBuffer, static_cast<int>(sharedTextBufferLength));
    if (copied <= 0) {
        return std::string();
    }
    const auto length = static_cast<std::size_t>(copied) < sharedTextBufferLength
                            ? static_cast<std::size_t>(copied)
                            : sharedTextBufferLength - 1;
    return std::string(sharedTextBuffer, length);
}
