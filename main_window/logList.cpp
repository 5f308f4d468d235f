// The log's list box: appending, clearing, painting and its own procedure.
//
// Painting the list takes the polling loop's time, and a foreground window
// that comes and goes meanwhile is missed. Under Wine a repaint costs 10 to
// 20 ms however few lines changed, most of it in the scroll bars (the
// benchmark measures it); on Windows far less. So painting is held back
// while lines come in, and the list is painted once the foreground has been
// quiet for a moment, or at the latest a second after the first line held
// back. The lines themselves are in the list at once; how wide they are,
// which only the painting needs, is measured then too.
#include "main_window/logList.h"

#include "main_window/detailsTable.h"
#include "main_window/modalLoopPolling.h"
#include "main_window/tipText.h"
#include "support/basOSinfo.h"
#include "support/deviceContext.h"
#include "support/subclass.h"
#include "support/systemText.h"

namespace {

constexpr DWORD quietBeforeRepaintMs = 30;
constexpr DWORD longestHoldBackMs = 1000;

AddAnswer answerOf(LRESULT index) {
    if (index == LB_ERRSPACE) {
        return AddAnswer::outOfSpace;
    }
    return index == LB_ERR ? AddAnswer::refused : AddAnswer::added;
}

}  // namespace

bool LogList::attach(HWND owner, HWND list, UINT_PTR repaintTimerId, ModalLoopPolling& modalLoops, Owner tells) {
    owner_ = owner;
    list_ = list;
    repaintTimerId_ = repaintTimerId;
    modalLoops_ = &modalLoops;
    tells_ = std::move(tells);
    SetWindowLongPtrA(list, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    originalProcedure_ = replaceWindowProcedure(list, procedure);
    if (originalProcedure_ == nullptr) {
        return false;
    }
    tooltip_.attach(owner, list, [this](int line) {
        return tipText(book_, book_.indexOf(serialOf(line)), tooltip_.showsManyLines(), OSInfo.isNT);
    });
    return true;
}

void LogList::detach() {
    if (list_ != nullptr && originalProcedure_ != nullptr) {
        replaceWindowProcedure(list_, originalProcedure_);
        originalProcedure_ = nullptr;
    }
    tooltip_.destroy();
    list_ = nullptr;
}

LRESULT CALLBACK LogList::procedure(HWND list, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<LogList*>(GetWindowLongPtrA(list, GWLP_USERDATA));
    const auto original = [&] {
        return callReplacedProcedure(self->originalProcedure_, list, message, wParam, lParam);
    };
    if (message >= WM_MOUSEFIRST && message <= WM_MBUTTONDBLCLK) {
        self->tooltip_.relay(message, wParam, lParam);
    }
    switch (message) {
    // The book follows the lines, whoever adds or removes them: a line's
    // record goes with it. Only the program ties a line to a record.
    case LB_DELETESTRING: {
        const std::uint32_t serial = self->serialOf(static_cast<int>(wParam));
        const LRESULT left = original();
        if (left != LB_ERR && !self->keepRecord_) {
            self->book_.forget(serial);
            self->tells_.linesChanged();
        }
        return left;
    }
    case LB_RESETCONTENT:
        self->book_.clear();
        self->tells_.linesChanged();
        break;
    case LB_SETITEMDATA:
        if (!self->tyingLine_) {
            return LB_ERR;
        }
        break;
    case WM_SYSCOMMAND: {
        // Dragging the scroll thumb, or holding a scroll arrow down.
        const ModalLoopPolling::During polling(*self->modalLoops_);
        return original();
    }
    case WM_RBUTTONDOWN:
        // The menu that follows acts on the line clicked, also when the
        // click brings the program to the front and its own line comes in.
        self->pointedAt(lParam);
        break;
    case WM_CONTEXTMENU: {
        // From the mouse: the line right-clicked, or else the one at the
        // point; from the keyboard (-1): the selected line.
        ChosenLine chosen;
        bool any = false;
        if (lParam == -1) {
            any = self->choose(static_cast<int>(SendMessageA(list, LB_GETCURSEL, 0, 0)), chosen);
        } else if (self->rightClicked_) {
            any = self->rightClickedOnLine_;
            chosen = self->rightClickedLine_;
        } else {
            POINT point = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
            ScreenToClient(list, &point);
            any = self->choose(lineAtPoint(list, point), chosen);
        }
        self->rightClicked_ = false;
        self->tells_.menuAsked(self->menuPoint(lParam), any ? &chosen : nullptr);
        return 0;
    }
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_KEYUP:
    case WM_SYSKEYUP:
        if (self->handleKey(message, wParam)) {
            return 0;
        }
        break;
    case WM_CHAR:
        if (wParam == 3) {
            return 0;  // Ctrl+C is a copy, not the start of a search
        }
        break;
    default:
        break;
    }
    return original();
}

// Shift+F10 and the Menu key open the context menu at the selected line;
// their key-up goes too, so that the system opens neither a second menu nor
// the window's menu. Ctrl+C copies the selected line.
bool LogList::handleKey(UINT message, WPARAM key) {
    const bool down = message == WM_KEYDOWN || message == WM_SYSKEYDOWN;
    if (!down) {
        if (key == menuKeyDown_) {
            menuKeyDown_ = 0;
            return true;
        }
        return false;
    }
    menuKeyDown_ = 0;
    if (key == VK_APPS || (key == VK_F10 && GetKeyState(VK_SHIFT) < 0)) {
        menuKeyDown_ = key;
        SendMessageA(list_, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(list_), static_cast<LPARAM>(-1));
        return true;
    }
    if (message == WM_KEYDOWN && key == 'C' && GetKeyState(VK_CONTROL) < 0) {
        tells_.copyAsked();
        return true;
    }
    return false;
}

// A right-click selects the line under the pointer, as a click does, and
// chooses it for the menu.
void LogList::pointedAt(LPARAM clientPoint) {
    const POINT point = {static_cast<short>(LOWORD(clientPoint)), static_cast<short>(HIWORD(clientPoint))};
    const int line = lineAtPoint(list_, point);
    rightClicked_ = true;
    rightClickedOnLine_ = choose(line, rightClickedLine_);
    if (line >= 0) {
        SendMessageA(list_, LB_SETCURSEL, static_cast<WPARAM>(line), 0);
        selectedByUser();
    }
}

bool LogList::choose(int index, ChosenLine& chosen) const {
    if (index < 0 || index >= count()) {
        return false;
    }
    chosen.serial = serialOf(index);
    chosen.foreignText = chosen.serial == 0 ? lineText(index) : std::string();
    return true;
}

// Where the menu opens: at the pointer for a click; from the keyboard
// (-1), at the selected line, or at the list's corner without one.
POINT LogList::menuPoint(LPARAM screenPoint) const {
    if (screenPoint != static_cast<LPARAM>(-1)) {
        return {static_cast<short>(LOWORD(screenPoint)), static_cast<short>(HIWORD(screenPoint))};
    }
    POINT point = {0, 0};
    RECT line;
    const LRESULT selected = SendMessageA(list_, LB_GETCURSEL, 0, 0);
    if (selected != LB_ERR &&
        SendMessageA(list_, LB_GETITEMRECT, static_cast<WPARAM>(selected), reinterpret_cast<LPARAM>(&line)) != LB_ERR) {
        point = {line.left + 8, line.bottom};
    }
    ClientToScreen(list_, &point);
    return point;
}

int LogList::count() const {
    return static_cast<int>(SendMessageA(list_, LB_GETCOUNT, 0, 0));
}

// The serial that line `index` carries; 0 for a line another program put in.
std::uint32_t LogList::serialOf(int index) const {
    const LRESULT data = SendMessageA(list_, LB_GETITEMDATA, static_cast<WPARAM>(index), 0);
    return data == LB_ERR ? 0 : static_cast<std::uint32_t>(data);
}

// Line `index` carries `serial` from now on.
void LogList::tie(int index, std::uint32_t serial) {
    tyingLine_ = true;
    SendMessageA(list_, LB_SETITEMDATA, static_cast<WPARAM>(index), static_cast<LPARAM>(serial));
    tyingLine_ = false;
}

// From the newest line back: a chosen line is most often a recent one.
int LogList::indexOfSerial(std::uint32_t serial) const {
    for (int index = count() - 1; serial != 0 && index >= 0; --index) {
        if (serialOf(index) == serial) {
            return index;
        }
    }
    return -1;
}

std::uint32_t LogList::append(const std::string& line, const LineRecord& record) {
    holdBackPainting();
    std::size_t freed = 0;
    while (count() > 0 && book_.mustMakeRoomFor(record.bytes, count()) && dropOldest(freed)) {
    }
    LRESULT index = LB_ERR;
    const bool added = appendDroppingOldest(
        record.bytes, book_.bytes(),
        [&] {
            index = addListLine(list_, line);
            return answerOf(index);
        },
        [this](std::size_t& dropped) { return dropOldest(dropped); });
    std::uint32_t serial = 0;
    if (added) {
        serial = book_.add(record);
        tie(static_cast<int>(index), serial);
        // The list is not sorted: the new line is the last one. A selection
        // that went with the oldest line leaves nothing selected.
        following_ = following_ || SendMessageA(list_, LB_GETCURSEL, 0, 0) == LB_ERR;
        if (following_) {
            SendMessageA(list_, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
        }
        unmeasuredLines_.push_back(line);
        tells_.linesChanged();
    }
    tooltip_.linesChanged();
    scheduleRepaint();
    return serial;
}

bool LogList::amend(std::uint32_t serial, const std::string& line, const LineRecord& record) {
    const int index = indexOfSerial(serial);
    if (index < 0) {
        return false;
    }
    holdBackPainting();
    const bool selected = SendMessageA(list_, LB_GETCURSEL, 0, 0) == index;
    const int top = static_cast<int>(SendMessageA(list_, LB_GETTOPINDEX, 0, 0));
    // The new text goes in below the old, which then goes: the line keeps
    // its place, and the book its record, amended.
    if (answerOf(insertListLine(list_, index + 1, line)) != AddAnswer::added) {
        return false;
    }
    tie(index + 1, serial);
    keepRecord_ = true;
    SendMessageA(list_, LB_DELETESTRING, static_cast<WPARAM>(index), 0);
    keepRecord_ = false;
    book_.replace(serial, record);
    if (selected) {
        SendMessageA(list_, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
    }
    SendMessageA(list_, LB_SETTOPINDEX, static_cast<WPARAM>(top), 0);
    unmeasuredLines_.push_back(line);
    tells_.linesChanged();
    tooltip_.linesChanged();
    scheduleRepaint();
    return true;
}

const LineRecord* LogList::newestRecord() const {
    const int index = book_.indexOf(serialOf(count() - 1));
    return index >= 0 ? &book_.at(index) : nullptr;
}

void LogList::clickedToTheFront() {
    const LineRecord* newest = newestRecord();
    if (newest == nullptr || newest->cause.cause == Cause::you) {
        return;
    }
    LineRecord record = *newest;
    record.cause.cause = Cause::you;
    record.cause.by = Switch::click;
    record.cause.sinceSwitchMs = record.cause.sinceInputMs > 0 ? static_cast<std::uint32_t>(record.cause.sinceInputMs) : 0;
    book_.replace(record.serial, record);
    tooltip_.linesChanged();
    tells_.linesChanged();
}

// The lines in view stay in view: when the oldest line goes, the list would
// otherwise move every later line up by one.
bool LogList::dropOldest(std::size_t& freed) {
    const int index = book_.indexOf(serialOf(0));
    const std::size_t bytes = index >= 0 ? book_.at(index).bytes : 0;
    const LRESULT top = SendMessageA(list_, LB_GETTOPINDEX, 0, 0);
    if (SendMessageA(list_, LB_DELETESTRING, 0, 0) == LB_ERR) {
        return false;
    }
    if (top > 0) {
        SendMessageA(list_, LB_SETTOPINDEX, static_cast<WPARAM>(top - 1), 0);
    }
    freed += bytes;
    return true;
}

void LogList::clear() {
    SendMessageA(list_, LB_RESETCONTENT, 0, 0);
    following_ = true;
    tooltip_.linesChanged();
    unmeasuredLines_.clear();
    widestLinePixels_ = 0;
    SendMessageA(list_, LB_SETHORIZONTALEXTENT, 0, 0);
    // The horizontal scroll bar is gone, and the list has room for more lines.
    tells_.extentChanged();
}

// A click that brings the program to the front selects the line clicked
// before the program's own line comes in: that line is then the newest no
// longer, and the user chose it, so the selection stays on it. So the newest
// line counts as the newest only while its window is still in front.
void LogList::selectedByUser() {
    const LRESULT selected = SendMessageA(list_, LB_GETCURSEL, 0, 0);
    const LineRecord* newest = newestRecord();
    following_ = selected == LB_ERR ||
                 (selected == count() - 1 && (newest == nullptr || newest->window == GetForegroundWindow()));
}

void LogList::selectLine(std::uint32_t serial) {
    const int index = indexOfSerial(serial);
    if (index >= 0) {
        SendMessageA(list_, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
        selectedByUser();
    }
}

std::string LogList::selectedLine() const {
    const LRESULT selected = SendMessageA(list_, LB_GETCURSEL, 0, 0);
    return selected != LB_ERR ? lineText(static_cast<int>(selected)) : std::string();
}

std::string LogList::lineText(int index) const {
    std::string line;
    if (!readListLine(list_, index, line)) {
        line.clear();
    }
    return line;
}

bool LogList::holds(const ChosenLine& chosen) const {
    return chosen.serial == 0 || book_.indexOf(chosen.serial) >= 0;
}

bool LogList::textOf(const ChosenLine& chosen, std::string& text) const {
    if (chosen.serial == 0) {
        text = chosen.foreignText;
        return true;
    }
    const int index = indexOfSerial(chosen.serial);
    text = index >= 0 ? lineText(index) : std::string();
    return index >= 0;
}

void LogList::tableOf(const ChosenLine& chosen, const TakePiece& take) const {
    const int index = book_.indexOf(chosen.serial);
    take(detailsHeader());
    take(index >= 0 ? detailsRow(book_, index, OSInfo.isNT) : foreignRow(chosen.foreignText, OSInfo.isNT));
}

void LogList::tableOfAll(const TakePiece& take) const {
    take(detailsHeader());
    const int lines = count();
    for (int line = 0; line < lines; ++line) {
        row(line, take);
    }
}

// One row per line, in the list's order, each with its own record.
void LogList::row(int line, const TakePiece& take) const {
    const int index = book_.indexOf(serialOf(line));
    take(index >= 0 ? detailsRow(book_, index, OSInfo.isNT) : foreignRow(lineText(line), OSInfo.isNT));
}

void LogList::holdBackPainting() {
    if (!paintingHeldBack_) {
        SendMessageA(list_, WM_SETREDRAW, FALSE, 0);
        paintingHeldBack_ = true;
        paintingHeldBackSince_ = GetTickCount();
    }
}

// The hold-back ends when the foreground has been quiet for a moment, and
// never later than the longest hold-back, also while lines keep coming. It
// ends from a timer: in the polling loop's message step, in a modal loop
// (modalLoopPolling.h), or in the lookup's message step inside a pass. Should
// the system have no timer to spare, the lines are painted at once.
void LogList::scheduleRepaint() {
    const DWORD heldBack = GetTickCount() - paintingHeldBackSince_;
    const DWORD left = heldBack < longestHoldBackMs ? longestHoldBackMs - heldBack : 0;
    if (SetTimer(owner_, repaintTimerId_, left < quietBeforeRepaintMs ? left : quietBeforeRepaintMs, nullptr) ==
        0) {
        endPaintingHoldBack();
    }
}

void LogList::endPaintingHoldBack() {
    KillTimer(owner_, repaintTimerId_);
    if (paintingHeldBack_ && list_ != nullptr) {
        paintingHeldBack_ = false;
        // Painting back on first: the list box then lays out its scroll bars
        // as they are, and the extent and the window's layout follow them.
        // The lines are painted in the next message step.
        SendMessageA(list_, WM_SETREDRAW, TRUE, 0);
        widenExtent();
        InvalidateRect(list_, nullptr, TRUE);
    }
}

void LogList::widenExtent() {
    if (unmeasuredLines_.empty()) {
        return;
    }
    WindowDC dc(list_);
    if (dc.get() == nullptr) {
        return;
    }
    const SelectedObject font(dc.get(), reinterpret_cast<HGDIOBJ>(SendMessageA(list_, WM_GETFONT, 0, 0)));
    int wanted = 0;
    for (const std::string& line : unmeasuredLines_) {
        const int width = measureText(dc.get(), line).cx + GetSystemMetrics(SM_CXEDGE) * 2 + 4;
        wanted = width > wanted ? width : wanted;
    }
    unmeasuredLines_.clear();
    if (wanted > widestLinePixels_) {
        widestLinePixels_ = wanted;
        SendMessageA(list_, LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(widestLinePixels_), 0);
        // The horizontal scroll bar may have appeared and taken the height
        // of some lines.
        tells_.extentChanged();
    }
}
