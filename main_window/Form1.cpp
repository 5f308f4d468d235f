// The main window: its class, its controls as created, and the dispatch of
// its messages to the handlers in the other Form1*.cpp files.
#include "main_window/Form1.h"

#include <commctrl.h>

#include "main_window/controlIds.h"
#include "main_window/layout.h"
#include "main_window/panel.h"
#include "main_window/resources/resource.h"
#include "support/basOSinfo.h"
#include "support/deviceContext.h"
#include "support/messageStep.h"
#include "support/systemText.h"

namespace {

const char form1ClassName[] = "TarnwickForm1";
constexpr DWORD formStyle = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
constexpr DWORD formExStyle = WS_EX_CONTROLPARENT;

}  // namespace

bool Form1::registerClass(HINSTANCE instance) {
    WNDCLASSA formClass = {};
    formClass.lpfnWndProc = windowProc;
    formClass.hInstance = instance;
    formClass.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_TARNWICK));
    formClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    formClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    formClass.lpszClassName = form1ClassName;
    return RegisterClassA(&formClass) != 0 && registerPanelClass(instance);
}

bool Form1::create(HINSTANCE instance, int showCommand) {
    // The family decides what kind of list box the window gets, so it is
    // known before the window is made.
    getOSInfo(OSInfo);
    {
        WindowDC screen(nullptr);
        if (screen.get() != nullptr) {
            dpiX_ = GetDeviceCaps(screen.get(), LOGPIXELSX);
            dpiY_ = GetDeviceCaps(screen.get(), LOGPIXELSY);
        }
        // The layout divides by both: a screen that reports none counts as 96.
        if (dpiX_ <= 0 || dpiY_ <= 0) {
            dpiX_ = 96;
            dpiY_ = 96;
        }
    }
    RECT outer = {0, 0, twipsToPixels(design::formClientWidth, dpiX_),
                  twipsToPixels(design::formClientHeight, dpiY_)};
    AdjustWindowRectEx(&outer, formStyle, FALSE, formExStyle);

    const HWND window = CreateWindowExA(formExStyle, form1ClassName, design::formCaption,
                                        formStyle, CW_USEDEFAULT, CW_USEDEFAULT,
                                        outer.right - outer.left, outer.bottom - outer.top,
                                        nullptr, nullptr, instance, this);
    if (window == nullptr) {
        return false;
    }
    load();
    setProgramWindow(window);
    ShowWindow(window, showCommand);
    UpdateWindow(window);
    SetFocus(List1);
    return true;
}

bool Form1::createControls() {
    constexpr DWORD child = WS_CHILD | WS_VISIBLE;
    // Creation order is tab order.
    // On the NT family the list holds Unicode, so that a line shows every
    // character of a caption (systemText.h).
    List1 = withDialogFont(createListBox(
        WS_EX_CLIENTEDGE, child | WS_TABSTOP | WS_VSCROLL | WS_HSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT,
        pixelsOf(list1Rect_), hwnd_, controlId::List1));
    Frame1 = createChild(hwnd_, panelClassName, "", child, WS_EX_CONTROLPARENT, 0, frame1Rect_);
    if (List1 == nullptr || Frame1 == nullptr) {
        return false;
    }
    // A line that is hovered tells when its window came to the front. A
    // missing tooltip takes nothing else away.
    lineTooltip_.attach(hwnd_, List1, [this](int line) {
        logBook_.alignTo(static_cast<int>(SendMessageA(List1, LB_GETCOUNT, 0, 0)));
        return logBook_.frontTimeText(line);
    });
    cmdClear = createChild(Frame1, "BUTTON", design::cmdClearCaption,
                           child | WS_TABSTOP | BS_PUSHBUTTON, 0, controlId::cmdClear,
                           design::cmdClear);
    chkTopMost = createChild(Frame1, "BUTTON", design::chkTopMostCaption,
                             child | WS_TABSTOP | BS_AUTOCHECKBOX, 0, controlId::chkTopMost,
                             design::chkTopMost);
    cmdClose = createChild(Frame1, "BUTTON", design::cmdCloseCaption,
                           child | WS_TABSTOP | BS_PUSHBUTTON, 0, controlId::cmdClose,
                           cmdCloseRect_);
    return cmdClear != nullptr && chkTopMost != nullptr && cmdClose != nullptr &&
           SetTimer(hwnd_, controlId::Timer1, design::timer1Interval, nullptr) != 0;
}

HWND Form1::createChild(HWND parent, const char* className, const char* caption, DWORD style,
                        DWORD exStyle, int id, const TwipRect& where) {
    const RECT place = pixelsOf(where);
    return withDialogFont(CreateWindowExA(
        exStyle, className, caption, style, place.left, place.top, place.right - place.left,
        place.bottom - place.top, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
        reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(parent, GWLP_HINSTANCE)), nullptr));
}

HWND Form1::withDialogFont(HWND control) {
    if (control != nullptr) {
        // The dialog font rather than the bold system font.
        SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)),
                     FALSE);
    }
    return control;
}

RECT Form1::pixelsOf(const TwipRect& where) const {
    const int left = twipsToPixels(where.left, dpiX_);
    const int top = twipsToPixels(where.top, dpiY_);
    return {left, top, left + twipsToPixels(where.width, dpiX_), top + twipsToPixels(where.height, dpiY_)};
}

void Form1::place(HWND control, const TwipRect& where) {
    const RECT place = pixelsOf(where);
    MoveWindow(control, place.left, place.top, place.right - place.left, place.bottom - place.top, TRUE);
}

LRESULT CALLBACK Form1::windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* form = static_cast<Form1*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        form->hwnd_ = window;
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(form));
    }
    auto* form = reinterpret_cast<Form1*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (form == nullptr) {
        return DefWindowProcA(window, message, wParam, lParam);
    }
    // The program is built without exceptions: every failure below is a
    // return value, and nothing can leave through the platform's frames.
    return form->handleMessage(message, wParam, lParam);
}

LRESULT Form1::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        InitCommonControls();
        return createControls() ? 0 : -1;
    case WM_SIZE:
        layout();
        return 0;
    case WM_COMMAND:
        onCommand(LOWORD(wParam), HIWORD(wParam));
        return 0;
    case WM_NOTIFY:
        if (lineTooltip_.answer(lParam)) {
            return 0;
        }
        return DefWindowProcA(hwnd_, message, wParam, lParam);
    case WM_TIMER:
        if (wParam == controlId::Timer1) {
            timer1Tick();
        } else if (wParam == controlId::listRepaint) {
            repaintLog();
        }
        return 0;
    case WM_ACTIVATE:
        // Keep the keyboard focus on the control that had it, as a dialog does.
        if (LOWORD(wParam) == WA_INACTIVE) {
            const HWND focus = GetFocus();
            focusedControl_ = (focus != nullptr && IsChild(hwnd_, focus)) ? focus : nullptr;
        } else {
            SetFocus(focusedControl_ != nullptr ? focusedControl_ : List1);
        }
        return 0;
    case WM_SYSCOLORCHANGE:
        InvalidateRect(hwnd_, nullptr, TRUE);
        return 0;
    case WM_CLOSE:
        queryClose();
        DestroyWindow(hwnd_);
        return 0;
    case WM_QUERYENDSESSION:
        return TRUE;  // a log-off or shutdown is never refused
    case WM_ENDSESSION:
        if (wParam != FALSE) {
            queryClose();
            DestroyWindow(hwnd_);
        }
        return 0;
    case WM_DESTROY:
        lineTooltip_.destroy();
        unload();
        return 0;
    case WM_NCDESTROY: {
        const HWND window = hwnd_;
        SetWindowLongPtrA(window, GWLP_USERDATA, 0);
        hwnd_ = List1 = Frame1 = cmdClear = chkTopMost = cmdClose = focusedControl_ = nullptr;
        return DefWindowProcA(window, message, wParam, lParam);
    }
    default:
        return DefWindowProcA(hwnd_, message, wParam, lParam);
    }
}

void Form1::onCommand(int id, int notification) {
    switch (id) {
    case controlId::List1:
        if (notification == LBN_DBLCLK) {
            copyCommand();
        }
        break;
    case controlId::cmdClear:
        if (notification == BN_CLICKED) {
            clearCommand();
        }
        break;
    case controlId::chkTopMost:
        if (notification == BN_CLICKED) {
            topMostCommand();
        }
        break;
    case controlId::cmdClose:
        if (notification == BN_CLICKED) {
            cmdCloseClick();
        }
        break;
    default:
        break;
    }
}
