// The main window: its class, its controls as created and as laid out, and
// the dispatch of its messages.
#include "main_window/Form1.h"

#include <commctrl.h>

#include "main_window/controlIds.h"
#include "main_window/layout.h"
#include "main_window/panel.h"
#include "main_window/resources/resource.h"
#include "support/basOSinfo.h"
#include "support/boundOnFirstUse.h"
#include "support/deviceContext.h"
#include "support/messageStep.h"
#include "support/systemText.h"
#include "support/windowContext.h"

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
    return RegisterClassA(&formClass) != 0 && registerPanelClass(instance) &&
           SuspectsWindow::registerClass(instance);
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
    SetFocus(List1.handle());
    return true;
}

bool Form1::createControls() {
    constexpr DWORD child = WS_CHILD | WS_VISIBLE;
    // Creation order is tab order.
    // On the NT family the list holds Unicode, so that a line shows every
    // character of a caption (systemText.h).
    const HWND list = withDialogFont(createListBox(
        WS_EX_CLIENTEDGE, child | WS_TABSTOP | WS_VSCROLL | WS_HSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT,
        pixelsOf(list1Rect_), hwnd_, controlId::List1));
    // The list's bottom edge overlaps the panel's top by a pixel or so; the
    // list, above it, shows there.
    Frame1 = createChild(hwnd_, panelClassName, "", child | WS_CLIPSIBLINGS, WS_EX_CONTROLPARENT, 0, frame1Rect_);
    ModalLoopPolling::Passes passes;
    passes.mayStart = [this] { return passMayStart(); };
    passes.run = [this] { return pass(); };
    passes.allEnded = [this] {
        if (polling_ && !loopRunning_ && hwnd_ != nullptr) {
            PostMessageA(hwnd_, controlId::startPollingLoop, 0, 0);
        }
    };
    modalLoops_.attach(hwnd_, std::move(passes));
    // When its horizontal scroll bar comes or goes, the list is cut to whole
    // lines again, and the panel follows.
    LogList::Owner tells;
    tells.extentChanged = [this] { layout(); };
    tells.copyAsked = [this] { copyCommand(); };
    tells.linesChanged = [this] { suspects_.logChanged(); };
    tells.menuAsked = [this](POINT at, const ChosenLine* chosen) { listMenuCommand(at, chosen); };
    if (list == nullptr || Frame1 == nullptr ||
        !List1.attach(hwnd_, list, controlId::listRepaint, modalLoops_, std::move(tells))) {
        return false;
    }
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

// The panel is painted afresh where it goes: the pixels it would carry along
// may hold a piece of the list's scroll bar, which the list, above it, drew
// over its top. The list keeps its lines' pixels, which are costly to paint.
void Form1::place(HWND control, const TwipRect& where) {
    const RECT place = pixelsOf(where);
    const UINT carry = control == List1.handle() ? 0 : SWP_NOCOPYBITS;
    bound::SetWindowPos(control, nullptr, place.left, place.top, place.right - place.left,
                        place.bottom - place.top, SWP_NOZORDER | SWP_NOACTIVATE | carry);
}

// Fits the list and the panel to the window's size.
void Form1::layout() {
    const HWND list = List1.handle();
    if (list == nullptr || IsIconic(hwnd_)) {
        return;
    }
    RECT outer;
    RECT client;
    if (!GetWindowRect(hwnd_, &outer) || !GetClientRect(hwnd_, &client)) {
        return;
    }
    const QuarterTwips outerWidth = pixelsToTwips(outer.right - outer.left, dpiX_);
    const QuarterTwips clientWidth = pixelsToTwips(client.right - client.left, dpiX_);
    const QuarterTwips clientHeight = pixelsToTwips(client.bottom - client.top, dpiY_);

    const ListSize listSize = listSizeFor(outerWidth, clientHeight, frame1Rect_.height,
                                          {list1Rect_.width, list1Rect_.height});
    RECT before = {0, 0, 0, 0};
    const bool placedBefore = GetWindowRect(list, &before) != FALSE;
    // The list shows whole lines only. It is made without integral height,
    // so that it never changes its own height behind the layout's back (it
    // would, while the window is minimised, when its horizontal scroll bar
    // comes or goes); the cut is made here instead, from the list box's
    // border and scroll bars as they are, so the same size always gives the
    // same places. It is made before the list is placed, so that the list
    // never stands taller than it ends, painted over the panel below it;
    // should the new width bring or take the horizontal scroll bar, the list
    // is cut again.
    list1Rect_.width = listSize.width;
    list1Rect_.height = wholeLinesOf(listSize.height);
    place(list, list1Rect_);
    const QuarterTwips recut = wholeLinesOf(listSize.height);
    if (recut != list1Rect_.height) {
        list1Rect_.height = recut;
        place(list, list1Rect_);
    }

    const PanelPlacement panel =
        panelPlacementFor(list1Rect_.height, clientWidth, cmdCloseRect_.width);
    frame1Rect_.top = panel.frameTop;
    frame1Rect_.width = panel.frameWidth;
    place(Frame1, frame1Rect_);
    cmdCloseRect_.left = panel.closeLeft;
    place(cmdClose, cmdCloseRect_);

    // What the list gave up is painted again, the panel's part of it too.
    RECT after = {0, 0, 0, 0};
    if (placedBefore && GetWindowRect(list, &after) && after.bottom < before.bottom) {
        POINT corners[2] = {{before.left, after.bottom}, {before.right, before.bottom}};
        ScreenToClient(hwnd_, &corners[0]);
        ScreenToClient(hwnd_, &corners[1]);
        const RECT uncovered = {corners[0].x, corners[0].y, corners[1].x, corners[1].y};
        RedrawWindow(hwnd_, &uncovered, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    }
}

// `height` (of the list's window) cut to whole lines, by the list box's
// border and scroll bars as they are now.
QuarterTwips Form1::wholeLinesOf(QuarterTwips height) const {
    const HWND list = List1.handle();
    RECT listRect;
    RECT listClient;
    if (!GetWindowRect(list, &listRect) || !GetClientRect(list, &listClient)) {
        return height;
    }
    const int frame = (listRect.bottom - listRect.top) - listClient.bottom;
    const int lineHeight = static_cast<int>(SendMessageA(list, LB_GETITEMHEIGHT, 0, 0));
    return pixelsToTwips(wholeLinesHeight(twipsToPixels(height, dpiY_), frame, lineHeight), dpiY_);
}

LRESULT CALLBACK Form1::windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* form = windowObject<Form1>(window, message, lParam);
    if (form == nullptr) {
        return DefWindowProcA(window, message, wParam, lParam);
    }
    if (message == WM_NCCREATE) {
        form->hwnd_ = window;
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
        if (List1.answerTooltip(lParam)) {
            return 0;
        }
        return DefWindowProcA(hwnd_, message, wParam, lParam);
    case WM_NOTIFYFORMAT:
        // The tooltip's text is Unicode on the NT family, as the lines are.
        if (lParam == NF_QUERY) {
            return OSInfo.isNT ? NFR_UNICODE : NFR_ANSI;
        }
        return DefWindowProcA(hwnd_, message, wParam, lParam);
    case WM_TIMER:
        if (wParam == controlId::Timer1) {
            timer1Tick();
        } else if (wParam == controlId::listRepaint) {
            List1.endPaintingHoldBack();
        } else if (wParam == controlId::frameRecheck) {
            recheckFrame();
        }
        return 0;
    case controlId::startPollingLoop:
        startPollingLoop();
        return 0;
    case WM_ACTIVATE:
        // Keep the keyboard focus on the control that had it, as a dialog does.
        if (LOWORD(wParam) == WA_INACTIVE) {
            const HWND focus = GetFocus();
            focusedControl_ = (focus != nullptr && IsChild(hwnd_, focus)) ? focus : nullptr;
        } else {
            SetFocus(focusedControl_ != nullptr ? focusedControl_ : List1.handle());
        }
        return 0;
    case WM_SYSCOLORCHANGE:
        InvalidateRect(hwnd_, nullptr, TRUE);
        return 0;
    case WM_SYSCOMMAND:
    case WM_NCLBUTTONDOWN: {
        // Moving or sizing the window, its system menu; a caption button
        // held down.
        const HWND window = hwnd_;
        const ModalLoopPolling::During polling(modalLoops_);
        return DefWindowProcA(window, message, wParam, lParam);
    }
    // Every modal loop of the system's own tells the window it runs: moving
    // and sizing, and menus, also those a system command does not open (the
    // caption's context menu, the taskbar's menu for the window).
    case WM_WINDOWPOSCHANGING:
        modalLoops_.beforeTheWindowMoves();
        return DefWindowProcA(hwnd_, message, wParam, lParam);
    case WM_ENTERSIZEMOVE:
    case WM_EXITSIZEMOVE:
    case WM_ENTERMENULOOP:
    case WM_EXITMENULOOP:
        modalLoops_.noticed(message);
        return 0;
    case WM_CLOSE:
        // The query-close step: every close request stops the polling loop,
        // and none is refused.
        stopRequested = true;
        DestroyWindow(hwnd_);
        return 0;
    case WM_QUERYENDSESSION:
        return TRUE;  // a log-off or shutdown is never refused
    case WM_ENDSESSION:
        if (wParam != FALSE) {
            stopRequested = true;
            DestroyWindow(hwnd_);
        }
        return 0;
    case WM_DESTROY:
        List1.detach();
        unload();
        return 0;
    case WM_NCDESTROY: {
        const HWND window = hwnd_;
        SetWindowLongPtrA(window, GWLP_USERDATA, 0);
        hwnd_ = Frame1 = cmdClear = chkTopMost = cmdClose = focusedControl_ = nullptr;
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
        } else if (notification == LBN_SELCHANGE) {
            List1.selectedByUser();
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
        // The window stays until the loop has ended and asks for the unload.
        if (notification == BN_CLICKED) {
            stopRequested = true;
        }
        break;
    default:
        break;
    }
}
