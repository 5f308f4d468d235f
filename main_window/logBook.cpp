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

LineRecord recordOf(const std::string& line, const FrontTime& front, const ForegroundFacts& facts,
                    const ProcessDetails& details, const FrameHost& frame) {
    LineRecord record;
    record.known = true;
    record.front = front;
    record.facts = facts;
    record.details = details;
    record.frame = frame;
    record.bytes = line.size() + facts.title.size() + facts.className.size() + facts.exePath.size() +
                   details.parentExe.size() + details.commandLine.size() + details.parentCommandLine.size() +
                   frame.exe.size();
    return record;
}

std::uint32_t LogBook::heldMsOf(int index) const {
    if (index < 0 || index + 1 >= lines()) {
        return 0;
    }
    return heldMs(at(index).front.stampMs, at(index + 1).front.stampMs);
}

int LogBook::indexOf(std::uint64_t number) const {
    if (number < dropped_ || number - dropped_ >= static_cast<std::uint64_t>(lines())) {
        return -1;
    }
    return static_cast<int>(number - dropped_);
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
    ++dropped_;
    return true;
}

void LogBook::clear() {
    dropped_ += records_.size();
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
