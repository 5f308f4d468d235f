// What the program keeps beside each line of the log: when its window came
// to the front, the values the line shows, one by one (a caption may hold
// "'  cls='", so the line is never taken apart again), the details of the
// window's process, and the size of all that text, for the log's limits.
// The book is kept in step with the list, oldest line first.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <string>

#include "inventory/processDetails.h"
#include "main_window/frontTime.h"
#include "main_window/logLine.h"

struct LineRecord {
    std::size_t bytes = 0;  // of the line's text and of the values kept beside it
    bool known = false;     // false for a line the program did not add itself
    FrontTime front;
    ForegroundFacts facts;
    ProcessDetails details;
    FrameHost frame;
};

// A record of the line `line` of a window: what it counts toward the limits
// is the line's text and every text kept beside it.
LineRecord recordOf(const std::string& line, const FrontTime& front, const ForegroundFacts& facts,
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

    // How many of the oldest lines must go before a line of `bytes` is
    // added. Never more than there are: the new line is always kept.
    int linesToDropFor(std::size_t bytes) const;

    void add(const LineRecord& record);
    // Drops the oldest line; false when there is none.
    bool dropOldest();
    void clear();

    // How long the window of line `index` stayed in front: until the next
    // line's change. 0 for the newest line, which is still in front.
    std::uint32_t heldMsOf(int index) const;
    bool isNewest(int index) const { return index + 1 == lines(); }

    // Every line has a number that stays with it while older lines go: for
    // a command that acts on a line chosen earlier. -1: that line is gone.
    std::uint64_t numberOf(int index) const { return dropped_ + static_cast<std::uint64_t>(index); }
    int indexOf(std::uint64_t number) const;

    // After someone else has added or removed lines of the list, makes the
    // book hold `lines` records again: the newest stay in step, lines the
    // book does not know get empty records in front.
    void alignTo(int lines);

private:
    std::deque<LineRecord> records_;
    std::size_t bytes_ = 0;
    std::uint64_t dropped_ = 0;  // lines gone from the front since the start
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
