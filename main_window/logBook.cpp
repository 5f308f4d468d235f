#include "main_window/logBook.h"

int LogBook::linesToDropFor(std::size_t bytes) const {
    int drop = 0;
    std::size_t kept = bytes_;
    const int count = lines();
    while (drop < count && (count - drop >= maxLines || kept + bytes > maxBytes)) {
        kept -= records_[static_cast<std::size_t>(drop)].bytes;
        ++drop;
    }
    return drop;
}

std::string LogBook::frontTimeText(int index) const {
    if (index < 0 || index >= lines() || !at(index).timed) {
        return std::string();
    }
    const FrontTime& front = at(index).front;
    const bool newest = index + 1 == lines();
    const std::uint32_t held = newest ? 0 : heldMs(front.stampMs, at(index + 1).front.stampMs);
    return describeFrontTime(front.timeOfDayMs, newest, held);
}

void LogBook::add(const LineRecord& record) {
    records_.push_back(record);
    bytes_ += record.bytes;
}

bool LogBook::dropOldest() {
    if (records_.empty()) {
        return false;
    }
    bytes_ -= records_.front().bytes;
    records_.pop_front();
    return true;
}

void LogBook::clear() {
    records_.clear();
    bytes_ = 0;
}

void LogBook::alignTo(int lines) {
    while (this->lines() > lines && dropOldest()) {
    }
    while (this->lines() < lines) {
        records_.push_front(LineRecord());
    }
}
