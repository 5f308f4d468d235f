#include "main_window/lineTooltip.h"

#include <commctrl.h>

#include "support/basOSinfo.h"
#include "support/systemText.h"

namespace {

// Wide enough for the command line's lines (tipText.h).
constexpr LPARAM tipWidthPixels = 640;

// Adds the one tool, the whole list, whose text is asked for each time it
// shows; with the size of the first version of the record, which every
// version of the common controls takes.
template <typename ToolInfo, typename Text>
LRESULT addTool(HWND tooltip, HWND owner, HWND list, UINT message, Text askForText) {
    ToolInfo tool = {};
    tool.cbSize = CCSIZEOF_STRUCT(ToolInfo, lpszText);
    tool.uFlags = TTF_IDISHWND;
    tool.hwnd = owner;
    tool.uId = reinterpret_cast<UINT_PTR>(list);
    tool.lpszText = askForText;
    return SendMessageA(tooltip, message, 0, reinterpret_cast<LPARAM>(&tool));
}

}  // namespace

// Worked out from the top line and the line height, as LB_ITEMFROMPOINT
// answers in 16 bits only.
int lineAtPoint(HWND list, POINT point) {
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

bool LineTooltip::attach(HWND owner, HWND list, TextOfLine textOfLine) {
    list_ = list;
    textOfLine_ = std::move(textOfLine);
    // TTS_ALWAYSTIP: also while another program's window is active. The
    // tooltip stays above every window, the program's too when TopMost is
    // ticked. It has no owner: a window that owns a topmost window is not
    // made topmost itself under Wine. Being a tool window, it never shows on
    // the taskbar, whatever the system. destroy() takes it away.
    const DWORD exStyle = WS_EX_TOPMOST | WS_EX_TOOLWINDOW;
    const DWORD style = WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP;
    const auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(owner, GWLP_HINSTANCE));
    tooltip_ = OSInfo.isNT ? CreateWindowExW(exStyle, TOOLTIPS_CLASSW, nullptr, style, CW_USEDEFAULT, CW_USEDEFAULT,
                                             CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, instance, nullptr)
                           : CreateWindowExA(exStyle, TOOLTIPS_CLASSA, nullptr, style, CW_USEDEFAULT, CW_USEDEFAULT,
                                             CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, instance, nullptr);
    if (tooltip_ == nullptr) {
        return false;
    }
    // The tool's text comes in the form the owner asks for (WM_NOTIFYFORMAT).
    const LRESULT added = OSInfo.isNT ? addTool<TOOLINFOW>(tooltip_, owner, list, TTM_ADDTOOLW, LPSTR_TEXTCALLBACKW)
                                      : addTool<TOOLINFOA>(tooltip_, owner, list, TTM_ADDTOOLA, LPSTR_TEXTCALLBACKA);
    if (!added) {
        destroy();
        return false;
    }
    manyLines_ = SendMessageA(tooltip_, TTM_SETMAXTIPWIDTH, 0, tipWidthPixels) != 0;
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
        const int line = lineAtPoint(list_, point);
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
    if (tooltip_ == nullptr || header->hwndFrom != tooltip_ ||
        (header->code != TTN_GETDISPINFOA && header->code != TTN_GETDISPINFOW)) {
        return false;
    }
    hotLine_ = lineUnderCursor();
    text_ = hotLine_ >= 0 ? textOfLine_(hotLine_) : std::string();
    // Empty text: no tip.
    if (header->code == TTN_GETDISPINFOW) {
        wideText_ = wideFromText(text_);
        auto* info = reinterpret_cast<NMTTDISPINFOW*>(notification);
        info->lpszText = &wideText_[0];
        info->hinst = nullptr;
    } else {
        auto* info = reinterpret_cast<NMTTDISPINFOA*>(notification);
        info->lpszText = &text_[0];
        info->hinst = nullptr;
    }
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
    return lineAtPoint(list_, point);
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
