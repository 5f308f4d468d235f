// What the program keeps beside each line of the log: when its window came
// to the front, the values the line shows, one by one (a caption may hold
// "'  cls='", so the line is never taken apart again), the details of the
// window's process, and the size of all that text, for the log's limits.
//
// Each record has a serial number, which its line carries as the list box's
// item data: a line is tied to its record by what it carries, never by its
// place, so that lines another program puts into the list or takes out of it
// leave every other line with its own record. The book holds the records of
// the lines it added, oldest first.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <deque>
#include <string>

#include "inventory/processDetails.h"
#include "main_window/changeCause.h"
#include "main_window/frontTime.h"
#include "main_window/logLine.h"

struct LineRecord {
    std::uint32_t serial = 0;  // given by LogBook::add; never 0
    std::size_t bytes = 0;     // of the line's text and of the values kept beside it
    HWND window = nullptr;     // the window that came to the front
    HWND windowBefore = nullptr;  // the last window in front before it, past moments with none
    ChangeCause cause;
    FrontTime front;
    ForegroundFacts facts;
    ProcessDetails details;
    FrameHost frame;
};

// A record of the line `line` of `window`: what it counts toward the limits
// is the line's text and every text kept beside it.
LineRecord recordOf(const std::string& line, HWND window, const FrontTime& front, const ForegroundFacts& facts,
                    const ProcessDetails& details, const FrameHost& frame);

class LogBook {
public:
    // The log keeps at most this many lines and this much text; whichever
    // limit is reached first, the oldest lines go.
    static constexpr int maxLines = 32767;
    static constexpr std::size_t maxBytes = std::size_t{16} << 20;

    int lines() const { return static_cast<int>(records_.size()); }
    std::size_t bytes() const { return bytes_; }
    const LineRecord& at(int index) const { return records_[static_cast<std::size_t>(index)]; }

    // Whether the oldest line of a list of `listLines` lines must go before a
    // line of `bytes` is added: the list is at its count, or the text would
    // pass the budget. The caller stops once the list is empty, so the new
    // line is always kept.
    bool mustMakeRoomFor(std::size_t bytes, int listLines) const;

    // Keeps `record` as the newest and returns its serial.
    std::uint32_t add(LineRecord record);
    // Puts `record` in place of the one with `serial`, which it keeps; false
    // when there is none.
    bool replace(std::uint32_t serial, LineRecord record);
    // Forgets the record with `serial`, wherever it stands; false when there
    // is none.
    bool forget(std::uint32_t serial);
    void clear();

    // The place of the record with `serial`, or -1.
    int indexOf(std::uint32_t serial) const;

    // How long the window of record `index` stayed in front: until the next
    // record's change. 0 for the newest, which is still in front.
    std::uint32_t heldMsOf(int index) const;
    bool isNewest(int index) const { return index + 1 == lines(); }

    // Whether the window of record `index` gave the front back to the window
    // before it: the next window to come after it, past moments with none,
    // is that window. Not known yet while none has come; none for a moment
    // with no window in front.
    enum class GaveBack { none, notYet, yes, no };
    GaveBack gaveBackOf(int index) const;
    // The record of the window that came next after record `index`, past
    // moments with none, or -1.
    int nextWindowAfter(int index) const;

private:
    std::deque<LineRecord> records_;
    std::size_t bytes_ = 0;
    std::uint32_t nextSerial_ = 1;
};

// What the list box answered to a new line.
enum class AddAnswer { added, outOfSpace, refused };

// Adds a line of `bytes` with `tryAdd` to a log that holds `logBytes`. While
// the list box is out of space, the oldest line goes (`dropOldest(freed)`
// adds the size of the line it dropped to `freed`, and is false when no line
// is left) and the line is tried again. Once the lines dropped hold as much
// text as the new one, more would not make room for it: the line is given
// up. When the whole log holds less text than the line, nothing is dropped
// and the line is given up at once: one line never empties the log. A
// refusal for any other reason drops nothing. True when the line went in.
template <typename TryAdd, typename DropOldest>
bool appendDroppingOldest(std::size_t bytes, std::size_t logBytes, TryAdd tryAdd, DropOldest dropOldest) {
    std::size_t freed = 0;
    for (;;) {
        const AddAnswer answer = tryAdd();
        if (answer != AddAnswer::outOfSpace) {
            return answer == AddAnswer::added;
        }
        if (logBytes < bytes || freed >= bytes || !dropOldest(freed)) {
            return false;
        }
    }
}
