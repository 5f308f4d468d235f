#include "inventory/taskWindowRule.h"

namespace {

constexpr std::uint32_t popup = 0x80000000u;     // WS_POPUP
constexpr std::uint32_t child = 0x40000000u;     // WS_CHILD
constexpr std::uint32_t disabled = 0x08000000u;  // WS_DISABLED
// Class-specific; for a dialog, its modal frame.
constexpr std::uint32_t classStyleBit80 = 0x00000080u;
constexpr std::uint32_t nonTaskStyles = popup | disabled | classStyleBit80;

std::string asciiLower(std::string text) {
    for (char& c : text) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return text;
}

}  // namespace

bool isTaskWindow(std::uint32_t style, const std::string& className) {
    if ((style & nonTaskStyles) != 0 || className.empty()) {
        return false;
    }
    if (asciiLower(className).find("tooltip") != std::string::npos) {
        return false;
    }
    return className != "Shell_TrayWnd";
}

bool hasVisibleArea(int visible, std::int64_t width, std::int64_t height) {
    return visible == 1 && width > 0 && height > 0;
}

bool qualifiesForLookup(const WindowTraits& window) {
    return (window.style & child) == 0 && !window.parentOrOwnerVisible &&
           isTaskWindow(window.style, window.className) &&
           hasVisibleArea(window.visible, window.width, window.height);
}
