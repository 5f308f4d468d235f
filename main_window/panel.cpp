#include "main_window/panel.h"

const char panelClassName[] = "TarnwickPanel";

namespace {

// Until start-up sets the real colour, the panel shows the tooltip colour.
constexpr int creationColour = COLOR_INFOBK;

int backColour(HWND panel) {
    return static_cast<int>(GetWindowLongPtrA(panel, GWLP_USERDATA));
}

LRESULT CALLBACK panelProc(HWND panel, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        SetWindowLongPtrA(panel, GWLP_USERDATA, creationColour);
        return 0;
    case WM_ERASEBKGND: {
        RECT area;
        GetClientRect(panel, &area);
        FillRect(reinterpret_cast<HDC>(wParam), &area, GetSysColorBrush(backColour(panel)));
        return 1;
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
        SetBkColor(reinterpret_cast<HDC>(wParam), GetSysColor(backColour(panel)));
        return reinterpret_cast<LRESULT>(GetSysColorBrush(backColour(panel)));
    case WM_COMMAND:
        return SendMessageA(GetParent(panel), message, wParam, lParam);
    default:
        return DefWindowProcA(panel, message, wParam, lParam);
    }
}

}  // namespace

bool registerPanelClass(HINSTANCE instance) {
    WNDCLASSA panelClass = {};
    panelClass.lpfnWndProc = panelProc;
    panelClass.hInstance = instance;
    panelClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    panelClass.lpszClassName = panelClassName;
    return RegisterClassA(&panelClass) != 0;
}

void setPanelBackColour(HWND panel, int colourIndex) {
    SetWindowLongPtrA(panel, GWLP_USERDATA, colourIndex);
    InvalidateRect(panel, nullptr, TRUE);
}
