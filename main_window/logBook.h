// What the program keeps beside each line of the log: the size of its text,
// for the log's limits, and when its window came to the front. The book is
// kept in step with the list, oldest line first.
#pragma once

#include <cstddef>
#include <deque>
#include <string>

#include "main_window/frontTime.h"

struct LineRecord {
    std::size_t bytes = 0;  // of the line's text
    bool timed = false;     // false for a line the program did not add itself
    FrontTime front;
};

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

    // What the tooltip over line `index` says: when its window came to the
    // front and how long it stayed, until the next line's change; empty
    // text for a line without a time.
    std::string frontTimeText(int index) const;

    // After someone else has added or removed lines of the list, makes the
    // book hold `lines` records again: the newest stay in step, lines the
    // book does not know get empty records in front.
    void alignTo(int lines);

private:
    std::deque<LineRecord> records_;
    std::size_t bytes_ = 0;
};

// What the list box answered to a new line.
enum class AddAnswer { added, outOfSpace, refused };

// Adds a line of `bytes` with `tryAdd`. While the list box is out of space,
// the oldest line goes (`dropOldest(freed)` adds the size of the line it
// dropped to `freed`, and is false when no line is left) and the line is
// tried again. Once the lines dropped hold as much text as the new one, more
// would not make room for it: the line is given up, and one line can never
// empty the log. A refusal for any other reason drops nothing. True when the
// line went in.
template <typename TryAdd, typename DropOldest>
bool appendDroppingOldest(std::size_t bytes, TryAdd tryAdd, DropOldest dropOldest) {
    std::size_t freed = 0;
    for (;;) {
        const AddAnswer answer = tryAdd();
        if (answer != AddAnswer::outOfSpace) {
            return answer == AddAnswer::added;
        }
        if (freed >= bytes || !dropOldest(freed)) {
            return false;
        }
    }
}
