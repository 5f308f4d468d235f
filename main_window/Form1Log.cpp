// The log: appending lines to List1, its horizontal extent, and painting.
//
// A list box that paints every line as it is added costs several
// milliseconds per line on some systems (under Wine each paint goes out to
// the X server), and a foreground window that is gone again within that time
// would be missed. So painting is held back while lines come in, and the list
// is painted once things are quiet for a moment, or at the latest after a
// fraction of a second. The lines themselves are in the list at once; how
// wide they are, which only the painting needs, is measured then too.
#include "main_window/Form1.h"

#include "main_window/controlIds.h"
#include "main_window/logLine.h"
#include "support/deviceContext.h"
#include "support/systemText.h"

namespace {
constexpr UINT quietBeforeRepaintMs = 30;
constexpr DWORD longestHoldBackMs = 250;
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

    if (GetTickCount() - paintingHeldBackSince_ >= longestHoldBackMs) {
        repaintLog();
    } else {
        SetTimer(hwnd_, controlId::listRepaint, quietBeforeRepaintMs, nullptr);
    }
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

void Form1::repaintLog() {
    KillTimer(hwnd_, controlId::listRepaint);
    if (paintingHeldBack_ && List1 != nullptr) {
        widenListExtent();
        paintingHeldBack_ = false;
        SendMessageA(List1, WM_SETREDRAW, TRUE, 0);
        RedrawWindow(List1, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
    }
}
