#include "inventory/storeAppFrame.h"

#include "support/boundOnFirstUse.h"

namespace {

const char frameClass[] = "ApplicationFrameWindow";
const char frameHostFile[] = "applicationframehost.exe";
const wchar_t appClass[] = L"Windows.UI.Core.CoreWindow";

bool sameText(const wchar_t* a, const wchar_t* b) {
    while (*a != L'\0' && *a == *b) {
        ++a;
        ++b;
    }
    return *a == *b;
}

char lowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

}  // namespace

bool hasFrameClass(const std::string& className) {
    return className == frameClass;
}

bool isFrameHost(const std::string& exePath) {
    const std::size_t slash = exePath.find_last_of('\\');
    const std::size_t start = slash == std::string::npos ? 0 : slash + 1;
    const std::size_t length = sizeof frameHostFile - 1;
    if (exePath.size() - start != length) {
        return false;
    }
    for (std::size_t i = 0; i < length; ++i) {
        if (lowerAscii(exePath[start + i]) != frameHostFile[i]) {
            return false;
        }
    }
    return true;
}

DWORD appProcessInFrame(HWND frame, DWORD framePid) {
    for (HWND child = GetWindow(frame, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
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
