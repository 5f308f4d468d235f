#include "e2e/harness/messageBox.h"

#include <algorithm>
#include <cstring>

#include "e2e/harness/program.h"
#include "e2e/harness/windowSearch.h"

namespace e2e {

namespace {

constexpr UINT answerTimeoutMs = 15000;

std::string className(HWND window) {
    char name[64] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
}

// A window's text, asked for in Unicode: across processes Wine hands text
// back in Unicode even to an ANSI caller.
bool windowText(HWND window, std::string& text) {
    DWORD_PTR length = 0;
    if (SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_NORMAL, answerTimeoutMs,
                            &length) == 0) {
        return false;
    }
    std::wstring wide(length + 1, L'\0');
    DWORD_PTR copied = 0;
    if (SendMessageTimeoutW(window, WM_GETTEXT, wide.size(), reinterpret_cast<LPARAM>(&wide[0]),
                            SMTO_NORMAL, answerTimeoutMs, &copied) == 0) {
        return false;
    }
    wide.resize(copied);
    text.clear();
    if (!wide.empty()) {
        const int size = WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()),
                                             nullptr, 0, nullptr, nullptr);
        text.assign(static_cast<std::size_t>(size), '\0');
        WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), &text[0], size,
                            nullptr, nullptr);
    }
    return true;
}


BOOL CALLBACK collectChild(HWND window, LPARAM context) {
    reinterpret_cast<std::vector<HWND>*>(context)->push_back(window);
    return TRUE;
}

std::vector<HWND> childrenOf(HWND window) {
    std::vector<HWND> children;
    EnumChildWindows(window, collectChild, reinterpret_cast<LPARAM>(&children));
    return children;
}

}  // namespace

std::vector<HWND> dialogsOf(DWORD pid) {
    return findWindows("#32770", pid, true);
}

HWND findMessageBox(DWORD pid, const std::string& caption) {
    for (HWND dialog : dialogsOf(pid)) {
        std::string text;
        if (windowText(dialog, text) && text == caption) {
            return dialog;
        }
    }
    return nullptr;
}

HWND waitForMessageBox(DWORD pid, const std::string& caption, DWORD timeoutMs) {
    HWND box = nullptr;
    waitUntil([&] { return (box = findMessageBox(pid, caption)) != nullptr; }, timeoutMs);
    return box;
}

bool readMessageBox(HWND box, MessageBoxView& view) {
    view = MessageBoxView();
    view.owner = GetWindow(box, GW_OWNER);
    if (!windowText(box, view.caption)) {
        return false;
    }
    bool textFound = false;
    for (HWND child : childrenOf(box)) {
        if (!IsWindowVisible(child)) {
            continue;
        }
        const std::string kind = className(child);
        const auto style = static_cast<DWORD>(GetWindowLongA(child, GWL_STYLE));
        if (kind == "Button") {
            view.buttons.push_back(GetDlgCtrlID(child));
        } else if (kind == "Static" && (style & SS_TYPEMASK) == SS_ICON) {
            DWORD_PTR icon = 0;
            SendMessageTimeoutW(child, STM_GETICON, 0, 0, SMTO_NORMAL, answerTimeoutMs, &icon);
            view.hasIcon = view.hasIcon || icon != 0;
        } else if (kind == "Static" && !textFound) {
            if (!windowText(child, view.text)) {
                return false;
            }
            textFound = true;
        }
    }
    std::sort(view.buttons.begin(), view.buttons.end());
    return textFound;
}

bool pressMessageBoxButton(HWND box, int id) {
    const HWND button = GetDlgItem(box, id);
    return button != nullptr && IsWindowVisible(button) && clickButton(button);
}

std::string buttonNames(const std::vector<int>& buttons) {
    std::string names;
    for (int id : buttons) {
        if (!names.empty()) {
            names += ", ";
        }
        switch (id) {
        case IDOK: names += "IDOK"; break;
        case IDCANCEL: names += "IDCANCEL"; break;
        case IDABORT: names += "IDABORT"; break;
        case IDRETRY: names += "IDRETRY"; break;
        case IDIGNORE: names += "IDIGNORE"; break;
        case IDYES: names += "IDYES"; break;
        case IDNO: names += "IDNO"; break;
        default: names += std::to_string(id); break;
        }
    }
    return names.empty() ? "(none)" : names;
}

}  // namespace e2e
