// The log's list box (List1) and what belongs to it alone: the book kept
// beside its lines, the painting held back while lines come in, its
// horizontal extent, the tooltip over its lines, and the keys and clicks
// that ask for a copy or for its context menu. Its procedure is the only
// subclass of the list box.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "main_window/frontTime.h"
#include "main_window/lineTooltip.h"
#include "main_window/logBook.h"

class ModalLoopPolling;

class LogList {
public:
    LogList() = default;
    LogList(const LogList&) = delete;
    LogList& operator=(const LogList&) = delete;

    // What the list tells its owner.
    struct Owner {
        std::function<void()> extentChanged;  // the horizontal scroll bar may have come or gone
        std::function<void()> copyAsked;      // Ctrl+C
        std::function<void(POINT)> menuAsked;  // the context menu, at a point of the screen
    };

    // Takes charge of `list`, a list box child of `owner`: the owner receives
    // the tooltip's questions (answerTooltip()) and the timer that ends the
    // hold-back of painting (`repaintTimerId`, endPaintingHoldBack()).
    // `modalLoops` watches the list's own scroll bars. False when the list
    // box cannot be taken; a tooltip that cannot be made takes nothing else
    // away.
    bool attach(HWND owner, HWND list, UINT_PTR repaintTimerId, ModalLoopPolling& modalLoops, Owner tells);

    // Gives the list box back its own procedure and takes the tooltip away,
    // before the window goes.
    void detach();

    HWND handle() const { return list_; }

    // Adds `line` as the newest line, with its record (recordOf()), and
    // selects it. When the list box refuses it, the line is not kept: false.
    bool append(const std::string& line, const LineRecord& record);

    // Empties the log.
    void clear();

    // The selected line's text; empty text when none is selected.
    std::string selectedLine() const;

    // The number of the selected line (LogBook::numberOf), which stays with
    // it while older lines go; false when none is selected.
    bool selectedNumber(std::uint64_t& number);
    // The index of the line numbered `number`, or -1 when it is gone.
    int indexOfNumber(std::uint64_t number);
    int count() const;
    // The text of line `index`; empty text when there is none.
    std::string lineText(int index) const;
    // Lines `first` to `last` as the table with details (detailsTable.h),
    // under its header.
    std::string detailsTable(int first, int last);

    // Ends the hold-back of painting: what came since the list was last
    // painted is painted in the next message step.
    void endPaintingHoldBack();

    bool answerTooltip(LPARAM notification) { return tooltip_.answer(notification); }

private:
    static LRESULT CALLBACK procedure(HWND list, UINT message, WPARAM wParam, LPARAM lParam);
    bool handleKey(UINT message, WPARAM key);
    void selectLineAt(LPARAM clientPoint);
    POINT menuPoint(LPARAM screenPoint) const;
    bool dropOldest(std::size_t& freed);
    void holdBackPainting();
    void scheduleRepaint();
    void widenExtent();

    HWND owner_ = nullptr;
    HWND list_ = nullptr;
    WNDPROC originalProcedure_ = nullptr;
    UINT_PTR repaintTimerId_ = 0;
    ModalLoopPolling* modalLoops_ = nullptr;
    Owner tells_;
    WPARAM menuKeyDown_ = 0;  // the key that opened the menu, until it comes up

    LogBook book_;
    LineTooltip tooltip_;
    std::vector<std::string> unmeasuredLines_;  // added since the list was last painted
    int widestLinePixels_ = 0;
    bool paintingHeldBack_ = false;
    DWORD paintingHeldBackSince_ = 0;
};
