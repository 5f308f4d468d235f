// The log's list box (List1) and what belongs to it alone: the book kept
// beside its lines, the selection that follows the newest line, the painting
// held back while lines come in, its horizontal extent, the tooltip over its
// lines, and the keys and clicks that ask for a copy or for its context menu.
// Its procedure is the only subclass of the list box.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "main_window/frontTime.h"
#include "main_window/lineTooltip.h"
#include "main_window/logBook.h"
#include "support/clipboardText.h"

class ModalLoopPolling;

// A line as the user chose it, for a command that acts on it later: by its
// record's serial, which stays with it while other lines come and go, or, for
// a line that another program put into the list (serial 0), by its text.
struct ChosenLine {
    std::uint32_t serial = 0;
    std::string foreignText;
};

class LogList {
public:
    LogList() = default;
    LogList(const LogList&) = delete;
    LogList& operator=(const LogList&) = delete;

    // What the list tells its owner.
    struct Owner {
        std::function<void()> extentChanged;  // the horizontal scroll bar may have come or gone
        std::function<void()> copyAsked;      // Ctrl+C
        std::function<void()> linesChanged;   // lines came, went or were amended
        // The context menu, at a point of the screen, for the line chosen
        // (null: none).
        std::function<void(POINT at, const ChosenLine* chosen)> menuAsked;
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

    // Adds `line` as the newest line, with its record (recordOf()). The
    // selection follows it while the user has not chosen an older line
    // (selectedByUser()). When the list box refuses it, the line is not
    // kept: 0. Else the serial of its record.
    std::uint32_t append(const std::string& line, const LineRecord& record);

    // Puts `line` and `record` in place of the line whose record has
    // `serial`, wherever it stands now; false when it has gone.
    bool amend(std::uint32_t serial, const std::string& line, const LineRecord& record);

    // The newest record, or null when the newest line is none of the book's.
    const LineRecord* newestRecord() const;

    // A click of the user's, seen only after the change it made, brought the
    // window of the newest line to the front.
    void clickedToTheFront();

    // Empties the log.
    void clear();

    // The user changed the selection (LBN_SELCHANGE). On an older line it
    // stays there while new lines come, and they do not scroll the list; on
    // the newest line it follows them again.
    void selectedByUser();

    // Selects the line whose record has `serial`, as the user would.
    void selectLine(std::uint32_t serial);

    const LogBook& book() const { return book_; }

    // The selected line's text; empty text when none is selected.
    std::string selectedLine() const;

    // Whether the chosen line is still in the log; its text now (false once
    // it has gone), and its row of the table with details under the header.
    bool holds(const ChosenLine& chosen) const;
    bool textOf(const ChosenLine& chosen, std::string& text) const;
    void tableOf(const ChosenLine& chosen, const TakePiece& take) const;
    // Every line as the table with details (detailsTable.h), under its header.
    void tableOfAll(const TakePiece& take) const;

    // Ends the hold-back of painting: what came since the list was last
    // painted is painted in the next message step.
    void endPaintingHoldBack();

    bool answerTooltip(LPARAM notification) { return tooltip_.answer(notification); }

private:
    static LRESULT CALLBACK procedure(HWND list, UINT message, WPARAM wParam, LPARAM lParam);
    bool handleKey(UINT message, WPARAM key);
    int count() const;
    std::string lineText(int index) const;
    std::uint32_t serialOf(int index) const;
    void tie(int index, std::uint32_t serial);
    int indexOfSerial(std::uint32_t serial) const;
    bool choose(int index, ChosenLine& chosen) const;
    void row(int index, const TakePiece& take) const;
    void pointedAt(LPARAM clientPoint);
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
    bool tyingLine_ = false;      // the item data being set is the program's own
    bool keepRecord_ = false;     // a line is deleted to be put in again (amend)
    bool following_ = true;       // the selection follows the newest line
    bool rightClicked_ = false;   // a right-click chose `rightClickedLine_`
    bool rightClickedOnLine_ = false;
    ChosenLine rightClickedLine_;
    LineTooltip tooltip_;
    std::vector<std::string> unmeasuredLines_;  // added since the list was last painted
    int widestLinePixels_ = 0;
    bool paintingHeldBack_ = false;
    DWORD paintingHeldBackSince_ = 0;
};
