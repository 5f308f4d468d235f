// The log: appending lines to List1, its horizontal extent, and painting.
//
// Painting the list takes the polling loop's time, and a foreground window
// that comes and goes meanwhile is missed. Under Wine a repaint costs 10 to
// 20 ms however few lines changed, most of it in the scroll bars (the
// benchmark measures it); on Windows far less. So painting is held back
// while lines come in, and the list is painted once the foreground has been
// quiet for a moment, or at the latest a second after the first line held
// back. The lines themselves are in the list at once; how wide they are,
// which only the painting needs, is measured then too.
#include "main_window/Form1.h"

#include "main_window/controlIds.h"
#include "main_window/logLine.h"
#include "support/deviceContext.h"
#include "support/systemText.h"

namespace {
constexpr DWORD quietBeforeRepaintMs = 30;
constexpr DWORD longestHoldBackMs = 1000;
}  // namespace

void Form1::appendToLog(const std::string& line, const FrontTime& front) {
    holdBackPainting();
    // The list holds what the book knows of, unless someone else changed it.
    logBook_.alignTo(static_cast<int>(SendMessageA(List1, LB_GETCOUNT, 0, 0)));
    for (int drop = logBook_.linesToDropFor(line.size()); drop > 0; --drop) {
        dropOldestLine();
    }
    LRESULT index = LB_ERR;
    const bool added = appendDroppingOldest(
        [&] {
            index = addListLine(List1, line);
            return index != LB_ERR && index != LB_ERRSPACE;
        },
        [this] { return dropOldestLine(); });
    if (added) {
        logBook_.add({line.size(), true, front});
        // The list is not sorted: the new line is the last one.
        SendMessageA(List1, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
        unmeasuredLines_.push_back(line);
    }
    lineTooltip_.linesChanged();
    scheduleRepaint();
}

bool Form1::dropOldestLine() {
    if (SendMessageA(List1, LB_DELETESTRING, 0, 0) == LB_ERR) {
        return false;
    }
    logBook_.dropOldest();
    return true;
}

void Form1::widenListExtent() {
    if (unmeasuredLines_.empty()) {
        return;
    }
    WindowDC dc(List1);
    if (dc.get() == nullptr) {
        return;
    }
    const SelectedObject font(dc.get(), reinterpret_cast<HGDIOBJ>(SendMessageA(List1, WM_GETFONT, 0, 0)));
    int wanted = 0;
    for (const std::string& line : unmeasuredLines_) {
        const int width = measureText(dc.get(), line).cx + GetSystemMetrics(SM_CXEDGE) * 2 + 4;
        wanted = width > wanted ? width : wanted;
    }
    unmeasuredLines_.clear();
    if (wanted > widestLinePixels_) {
        widestLinePixels_ = wanted;
        SendMessageA(List1, LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(widestLinePixels_), 0);
        // The horizontal scroll bar may have appeared and taken the height
        // of some lines: the list is cut to whole lines again, and the panel
        // follows.
        layout();
    }
}

void Form1::holdBackPainting() {
    if (!paintingHeldBack_) {
        SendMessageA(List1, WM_SETREDRAW, FALSE, 0);
        paintingHeldBack_ = true;
        paintingHeldBackSince_ = GetTickCount();
    }
}

// The repaint comes when the foreground has been quiet for a moment, and
// never later than the longest hold-back, also while lines keep coming. It
// comes from a timer, in the message step, never inside a pass.
void Form1::scheduleRepaint() {
    const DWORD heldBack = GetTickCount() - paintingHeldBackSince_;
    const DWORD left = heldBack < longestHoldBackMs ? longestHoldBackMs - heldBack : 0;
    SetTimer(hwnd_, controlId::listRepaint, left < quietBeforeRepaintMs ? left : quietBeforeRepaintMs,
             nullptr);
}

void Form1::repaintLog() {
    KillTimer(hwnd_, controlId::listRepaint);
    if (paintingHeldBack_ && List1 != nullptr) {
        widenListExtent();
        paintingHeldBack_ = false;
        // The list box sets its scroll bars right as painting comes back on;
        // its lines are painted in the next message step.
        SendMessageA(List1, WM_SETREDRAW, TRUE, 0);
        InvalidateRect(List1, nullptr, TRUE);
    }
}
