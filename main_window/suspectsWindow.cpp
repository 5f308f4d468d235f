#include "main_window/suspectsWindow.h"

#include <commctrl.h>

#include "main_window/listMenu.h"
#include "main_window/modalLoopPolling.h"
#include "main_window/resources/resource.h"
#include "support/basOSinfo.h"
#include "support/clipboardText.h"
#include "support/millisecondClock.h"
#include "support/subclass.h"
#include "support/systemText.h"
#include "support/windowContext.h"

namespace {

const char suspectsClassName[] = "TarnwickSuspects";
constexpr UINT_PTR updateTimer = 1;
// The table follows the log at most this often, and only once the
// foreground has been quiet this long, or at the latest after a second.
constexpr UINT firstUpdateMs = 100;
constexpr DWORD quietMs = 30;
constexpr DWORD longestWaitMs = 1000;

constexpr int columnWidths[suspectColumns] = {260, 64, 64, 90, 110, 104, 150, 220, 400};

enum MenuId : UINT { copyTableItem = 1, selectLineItem };

// A cell's text, in the list view's form: Unicode on the NT family.
void setCell(HWND list, int row, int column, const std::string& text) {
    if (OSInfo.isNT) {
        std::wstring wide = wideFromText(text);
        LVITEMW item = {};
        item.iSubItem = column;
        item.pszText = &wide[0];
        SendMessageW(list, LVM_SETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
    } else {
        std::string ansi = text;
        LVITEMA item = {};
        item.iSubItem = column;
        item.pszText = &ansi[0];
        SendMessageA(list, LVM_SETITEMTEXTA, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
    }
}

// A row with empty cells at `row`; its index, or -1.
int insertRow(HWND list, int row) {
    LVITEMA item = {};
    item.mask = LVIF_TEXT;
    item.iItem = row;
    item.pszText = const_cast<char*>("");
    return static_cast<int>(SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
}

}  // namespace

bool SuspectsWindow::registerClass(HINSTANCE instance) {
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = windowProc;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_TARNWICK));
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = suspectsClassName;
    return RegisterClassA(&windowClass) != 0;
}

void SuspectsWindow::open(HWND owner, ModalLoopPolling& modalLoops, Log log) {
    if (window_ != nullptr) {
        ShowWindow(window_, IsIconic(window_) ? SW_RESTORE : SW_SHOW);
        SetActiveWindow(window_);
        return;
    }
    modalLoops_ = &modalLoops;
    log_ = std::move(log);
    sortColumn_ = -1;
    reversed_ = false;
    const auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(owner, GWLP_HINSTANCE));
    const HWND window = CreateWindowExA(0, suspectsClassName, "Suspects", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                                        CW_USEDEFAULT, 900, 320, owner, nullptr, instance, this);
    if (window == nullptr) {
        return;
    }
    refresh();
    ShowWindow(window, SW_SHOW);
}

void SuspectsWindow::logChanged() {
    if (window_ == nullptr) {
        return;
    }
    lastChange_ = millisecondClock();
    if (!updatePending_ && SetTimer(window_, updateTimer, firstUpdateMs, nullptr) != 0) {
        updatePending_ = true;
        firstChange_ = lastChange_;
    }
}

void SuspectsWindow::onTimer() {
    const DWORD now = millisecondClock();
    if (now - lastChange_ < quietMs && now - firstChange_ < longestWaitMs) {
        SetTimer(window_, updateTimer, quietMs, nullptr);
        return;
    }
    KillTimer(window_, updateTimer);
    updatePending_ = false;
    refresh();
}

LRESULT CALLBACK SuspectsWindow::windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = windowObject<SuspectsWindow>(window, message, lParam);
    if (self == nullptr) {
        return DefWindowProcA(window, message, wParam, lParam);
    }
    if (message == WM_NCCREATE) {
        self->window_ = window;
    }
    return self->handleMessage(message, wParam, lParam);
}

LRESULT SuspectsWindow::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        return createList() ? 0 : -1;
    case WM_SIZE:
        MoveWindow(list_, 0, 0, LOWORD(lParam), HIWORD(lParam), TRUE);
        return 0;
    case WM_SETFOCUS:
        SetFocus(list_);
        return 0;
    case WM_NOTIFYFORMAT:
        if (lParam == NF_QUERY) {
            return OSInfo.isNT ? NFR_UNICODE : NFR_ANSI;
        }
        return DefWindowProcA(window_, message, wParam, lParam);
    case WM_NOTIFY:
        return onNotify(*reinterpret_cast<const NMHDR*>(lParam), lParam);
    case WM_CONTEXTMENU: {
        POINT at = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        if (lParam == -1) {
            RECT row = {0, 0, 0, 0};
            row.left = LVIR_LABEL;
            const int selected = selectedRow();
            SendMessageA(list_, LVM_GETITEMRECT, static_cast<WPARAM>(selected), reinterpret_cast<LPARAM>(&row));
            at = {selected >= 0 ? row.left + 8 : 0, selected >= 0 ? row.bottom : 0};
            ClientToScreen(list_, &at);
        }
        showMenu(at);
        return 0;
    }
    case WM_TIMER:
        if (wParam == updateTimer) {
            onTimer();
        }
        return 0;
    // Its modal loops poll, as the main window's do.
    case WM_SYSCOMMAND:
    case WM_NCLBUTTONDOWN: {
        const HWND window = window_;
        const ModalLoopPolling::During polling(*modalLoops_);
        return DefWindowProcA(window, message, wParam, lParam);
    }
    case WM_ENTERSIZEMOVE:
    case WM_EXITSIZEMOVE:
    case WM_ENTERMENULOOP:
    case WM_EXITMENULOOP:
        modalLoops_->noticed(message);
        return 0;
    case WM_CLOSE:
        DestroyWindow(window_);
        return 0;
    case WM_DESTROY:
        KillTimer(window_, updateTimer);
        updatePending_ = false;
        if (list_ != nullptr && listOriginal_ != nullptr) {
            replaceWindowProcedure(list_, listOriginal_);
        }
        return 0;
    case WM_NCDESTROY: {
        const HWND window = window_;
        SetWindowLongPtrA(window, GWLP_USERDATA, 0);
        window_ = list_ = nullptr;
        listOriginal_ = nullptr;
        rows_.clear();
        return DefWindowProcA(window, message, wParam, lParam);
    }
    default:
        return DefWindowProcA(window_, message, wParam, lParam);
    }
}

bool SuspectsWindow::createList() {
    const DWORD style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS;
    const auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(window_, GWLP_HINSTANCE));
    list_ = OSInfo.isNT ? CreateWindowExW(WS_EX_CLIENTEDGE, WC_LISTVIEWW, L"", style, 0, 0, 0, 0, window_, nullptr,
                                          instance, nullptr)
                        : CreateWindowExA(WS_EX_CLIENTEDGE, WC_LISTVIEWA, "", style, 0, 0, 0, 0, window_, nullptr,
                                          instance, nullptr);
    if (list_ == nullptr) {
        return false;
    }
    SendMessageA(list_, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    // Whole rows selected where the common controls know how (4.70 on).
    SendMessageA(list_, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
    for (int column = 0; column < suspectColumns; ++column) {
        LVCOLUMNA header = {};
        header.mask = LVCF_FMT | LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
        const bool number = column > 0 && column < static_cast<int>(SuspectColumn::lastTime);
        header.fmt = number ? LVCFMT_RIGHT : LVCFMT_LEFT;
        header.cx = columnWidths[column];
        header.pszText = const_cast<char*>(suspectColumnName(column));
        header.iSubItem = column;
        SendMessageA(list_, LVM_INSERTCOLUMNA, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&header));
    }
    SetWindowLongPtrA(list_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    listOriginal_ = replaceWindowProcedure(list_, listProc);
    return listOriginal_ != nullptr;
}

// The list view's own loops poll too: its scroll bars, and the wait for a
// drag that follows a click on a row.
LRESULT CALLBACK SuspectsWindow::listProc(HWND list, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<SuspectsWindow*>(GetWindowLongPtrA(list, GWLP_USERDATA));
    const WNDPROC original = self->listOriginal_;
    switch (message) {
    case WM_SYSCOMMAND:
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN: {
        const ModalLoopPolling::During polling(*self->modalLoops_);
        return callReplacedProcedure(original, list, message, wParam, lParam);
    }
    default:
        return callReplacedProcedure(original, list, message, wParam, lParam);
    }
}

LRESULT SuspectsWindow::onNotify(const NMHDR& header, LPARAM lParam) {
    if (header.hwndFrom != list_) {
        return 0;
    }
    switch (header.code) {
    case LVN_COLUMNCLICK:
        sortBy(reinterpret_cast<const NMLISTVIEW*>(lParam)->iSubItem);
        break;
    case NM_DBLCLK:
    case NM_RETURN:
        selectLineOfRow();
        break;
    case LVN_KEYDOWN: {
        const WORD key = reinterpret_cast<const NMLVKEYDOWN*>(lParam)->wVKey;
        if (key == VK_ESCAPE) {
            // Not from inside the list view's own key handling.
            PostMessageA(window_, WM_CLOSE, 0, 0);
        } else if (key == 'C' && GetKeyState(VK_CONTROL) < 0) {
            copyTable();
        }
        break;
    }
    default:
        break;
    }
    return 0;
}

void SuspectsWindow::refresh() {
    const std::string selected = selectedProgram();
    rows_ = suspectsOf(log_.book());
    if (sortColumn_ < 0) {
        sortByCulprit(rows_);
    } else {
        sortByColumn(rows_, sortColumn_, reversed_);
    }
    fill(selected);
}

// A click on a column's header sorts by it; a second click turns the order
// round.
void SuspectsWindow::sortBy(int column) {
    const std::string selected = selectedProgram();
    reversed_ = column == sortColumn_ && !reversed_;
    sortColumn_ = column;
    sortByColumn(rows_, sortColumn_, reversed_);
    fill(selected);
}

// The rows again, in their order; the program that was selected stays so.
void SuspectsWindow::fill(const std::string& selectedProgram) {
    SendMessageA(list_, WM_SETREDRAW, FALSE, 0);
    SendMessageA(list_, LVM_DELETEALLITEMS, 0, 0);
    int selected = -1;
    for (std::size_t row = 0; row < rows_.size(); ++row) {
        const int index = insertRow(list_, static_cast<int>(row));
        for (int column = 0; index >= 0 && column < suspectColumns; ++column) {
            setCell(list_, index, column, suspectCell(rows_[row], column, OSInfo.isNT));
        }
        if (index >= 0 && rows_[row].program == selectedProgram) {
            selected = index;
        }
    }
    LVITEMA state = {};
    state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    state.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageA(list_, LVM_SETITEMSTATE, static_cast<WPARAM>(selected >= 0 ? selected : 0),
                 reinterpret_cast<LPARAM>(&state));
    SendMessageA(list_, LVM_ENSUREVISIBLE, static_cast<WPARAM>(selected >= 0 ? selected : 0), FALSE);
    SendMessageA(list_, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list_, nullptr, TRUE);
}

int SuspectsWindow::selectedRow() const {
    const LRESULT row = SendMessageA(list_, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED);
    return row >= 0 && static_cast<std::size_t>(row) < rows_.size() ? static_cast<int>(row) : -1;
}

std::string SuspectsWindow::selectedProgram() const {
    const int row = selectedRow();
    return row >= 0 ? rows_[static_cast<std::size_t>(row)].program : std::string();
}

void SuspectsWindow::selectLineOfRow() {
    const int row = selectedRow();
    if (row >= 0 && log_.selectLine) {
        log_.selectLine(rows_[static_cast<std::size_t>(row)].newestSerial);
    }
}

void SuspectsWindow::copyTable() {
    const bool unicode = OSInfo.isNT;
    const bool copied = copyPiecesToClipboard(window_, [this, unicode](const TakePiece& take) {
        take(suspectsHeader());
        for (const Suspect& suspect : rows_) {
            take(suspectRow(suspect, unicode));
        }
    });
    if (!copied) {
        MessageBeep(MB_OK);
    }
}

void SuspectsWindow::showMenu(POINT at) {
    const MenuItem items[] = {
        {copyTableItem, "&Copy table", true},
        {selectLineItem, "Show its newest &line", selectedRow() >= 0},
    };
    UINT chosen = 0;
    {
        const ModalLoopPolling::During polling(*modalLoops_);
        chosen = trackMenu(window_, at, items, 2);
    }
    // The window may have been closed while the menu was open.
    if (window_ == nullptr) {
        return;
    }
    if (chosen == copyTableItem) {
        copyTable();
    } else if (chosen == selectLineItem) {
        selectLineOfRow();
    }
}
