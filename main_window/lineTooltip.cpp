#include "main_window/lineTooltip.h"

#include <commctrl.h>

namespace {

// The line of `list` at `point` (client coordinates), or -1 over no line.
// Worked out from the top line and the line height, as LB_ITEMFROMPOINT
// answers in 16 bits only.
int lineAt(HWND list, POINT point) {
    RECT area;
    if (!GetClientRect(list, &area) || !PtInRect(&area, point)) {
        return -1;
    }
    const LRESULT count = SendMessageA(list, LB_GETCOUNT, 0, 0);
    const LRESULT top = SendMessageA(list, LB_GETTOPINDEX, 0, 0);
    const LRESULT height = SendMessageA(list, LB_GETITEMHEIGHT, 0, 0);
    if (count <= 0 || top < 0 || height <= 0) {
        return -1;
    }
    const LRESULT line = top + point.y / height;
    RECT item;
    if (line >= count ||
        SendMessageA(list, LB_GETITEMRECT, static_cast<WPARAM>(line), reinterpret_cast<LPARAM>(&item)) == LB_ERR ||
        !PtInRect(&item, point)) {
        return -1;
    }
    return static_cast<int>(line);
}

}  // namespace

bool LineTooltip::attach(HWND owner, HWND list, TextOfLine textOfLine) {
    list_ = list;
    textOfLine_ = std::move(textOfLine);
    // TTS_ALWAYSTIP: also while another program's window is active. The
    // tooltip stays above every window, the program's too when TopMost is
    // ticked. It has no owner: a window that owns a topmost window is not
    // made topmost itself under Wine. Being a tool window, it never shows on
    // the taskbar, whatever the system. destroy() takes it away.
    tooltip_ = CreateWindowExA(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, TOOLTIPS_CLASSA, nullptr,
                               WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP, CW_USEDEFAULT,
                               CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr,
                               reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(owner, GWLP_HINSTANCE)),
                               nullptr);
    if (tooltip_ == nullptr) {
        return false;
    }
    // One tool, the whole list; its text is asked for each time it shows.
    // The size of the first version of the record, which every version of
    // the common controls takes.
    TOOLINFOA tool = {};
    tool.cbSize = TTTOOLINFOA_V1_SIZE;
    tool.uFlags = TTF_IDISHWND;
    tool.hwnd = owner;
    tool.uId = reinterpret_cast<UINT_PTR>(list);
    tool.lpszText = LPSTR_TEXTCALLBACKA;
    if (!SendMessageA(tooltip_, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool))) {
        destroy();
        return false;
    }
    return true;
}

void LineTooltip::relay(UINT message, WPARAM wParam, LPARAM lParam) {
    if (tooltip_ == nullptr) {
        return;
    }
    // When the mouse moves onto another line, the tip goes, and the tooltip
    // shows the new line's text after its usual delay.
    if (message == WM_MOUSEMOVE) {
        const POINT point = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        const int line = lineAt(list_, point);
        if (line != hotLine_) {
            hotLine_ = line;
            hide();
        }
    }
    MSG relayed = {};
    relayed.hwnd = list_;
    relayed.message = message;
    relayed.wParam = wParam;
    relayed.lParam = lParam;
    relayed.time = static_cast<DWORD>(GetMessageTime());
    const DWORD position = GetMessagePos();
    relayed.pt = {static_cast<short>(LOWORD(position)), static_cast<short>(HIWORD(position))};
    SendMessageA(tooltip_, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&relayed));
}

bool LineTooltip::answer(LPARAM notification) {
    auto* header = reinterpret_cast<NMHDR*>(notification);
    if (tooltip_ == nullptr || header->hwndFrom != tooltip_ || header->code != TTN_GETDISPINFOA) {
        return false;
    }
    hotLine_ = lineUnderCursor();
    text_ = hotLine_ >= 0 ? textOfLine_(hotLine_) : std::string();
    auto* info = reinterpret_cast<NMTTDISPINFOA*>(notification);
    info->lpszText = &text_[0];  // empty text: no tip
    info->hinst = nullptr;
    return true;
}

void LineTooltip::linesChanged() {
    if (tooltip_ != nullptr && IsWindowVisible(tooltip_)) {
        hide();
    }
}

int LineTooltip::lineUnderCursor() const {
    POINT point;
    if (!GetCursorPos(&point) || !ScreenToClient(list_, &point)) {
        return -1;
    }
    return lineAt(list_, point);
}

LineTooltip::~LineTooltip() {
    destroy();
}

void LineTooltip::destroy() {
    if (tooltip_ != nullptr) {
        DestroyWindow(tooltip_);
        tooltip_ = nullptr;
    }
}

void LineTooltip::hide() {
    if (tooltip_ == nullptr) {
        return;
    }
    // TTM_POP came with version 4.70 of the common controls; switching the
    // tooltip off and on again works from the first.
    SendMessageA(tooltip_, TTM_ACTIVATE, FALSE, 0);
    SendMessageA(tooltip_, TTM_ACTIVATE, TRUE, 0);
}
