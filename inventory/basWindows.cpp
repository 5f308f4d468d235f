#include "inventory/basWindows.h"

#include "support/basOSinfo.h"
#include "support/basStrings.h"
#include "support/systemText.h"

std::string getClassNameStr(HWND hwnd) {
    constexpr int capacity = static_cast<int>(sharedTextBufferLength);
    wchar_t wide[sharedTextBufferLength];
    const int copied = OSInfo.isNT ? GetClassNameW(hwnd, wide, capacity)
                                   : GetClassNameA(hwnd, sharedTextBuffer, capacity);
    if (copied <= 0) {
        return std::string();
    }
    const auto length = static_cast<std::size_t>(copied < capacity ? copied : capacity - 1);
    return OSInfo.isNT ? textFromWide(wide, length) : std::string(sharedTextBuffer, length);
}

WindowTraits readWindowTraits(HWND hwnd) {
    WindowTraits traits;
    traits.style = static_cast<std::uint32_t>(GetWindowLongA(hwnd, GWL_STYLE));
    traits.className = getClassNameStr(hwnd);
    traits.visible = IsWindowVisible(hwnd);
    RECT rect = {0, 0, 0, 0};
    GetWindowRect(hwnd, &rect);  // a failed call leaves an empty rectangle
    traits.width = static_cast<std::int64_t>(rect.right) - rect.left;
    traits.height = static_cast<std::int64_t>(rect.bottom) - rect.top;
    // For an owned top-level window GetParent names its owner.
    traits.parentOrOwnerVisible = IsWindowVisible(GetParent(hwnd)) != FALSE;
    return traits;
}

bool qualifiesForLookup(HWND hwnd) {
    return qualifiesForLookup(readWindowTraits(hwnd));
}
