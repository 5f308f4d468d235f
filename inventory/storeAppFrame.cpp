#include "inventory/storeAppFrame.h"

#include "support/boundOnFirstUse.h"

namespace {

const char frameClass[] = "ApplicationFrameWindow";
const wchar_t appClass[] = L"Windows.UI.Core.CoreWindow";

bool sameText(const wchar_t* a, const wchar_t* b) {
    while (*a != L'\0' && *a == *b) {
        ++a;
        ++b;
    }
    return *a == *b;
}

}  // namespace

DWORD appProcessInFrame(HWND window, const std::string& className, DWORD framePid) {
    if (className != frameClass) {
        return 0;
    }
    for (HWND child = GetWindow(window, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        wchar_t name[sizeof appClass / sizeof appClass[0] + 1] = {};
        if (GetClassNameW(child, name, static_cast<int>(sizeof name / sizeof name[0])) == 0 ||
            !sameText(name, appClass)) {
            continue;
        }
        DWORD pid = 0;
        bound::GetWindowThreadProcessId(child, &pid);
        if (pid != 0 && pid != framePid) {
            return pid;
        }
    }
    return 0;
}
