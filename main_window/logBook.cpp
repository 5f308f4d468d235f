#include "main_window/logBook.h"

namespace {

std::size_t bytesOf(const std::string& line, const ForegroundFacts& facts, const ProcessDetails& details,
                    const FrameHost& frame) {
    return line.size() + facts.title.size() + facts.className.size() + facts.exePath.size() +
           details.parentExe.size() + details.commandLine.size() + details.parentCommandLine.size() +
           frame.exe.size();
}

}  // namespace

LineRecord recordOf(const std::string& line, HWND window, const FrontTime& front, const ForegroundFacts& facts,
                    const ProcessDetails& details, const FrameHost& frame) {
    LineRecord record;
    record.window = window;
    record.front = front;
    record.facts = facts;
    record.details = details;
    record.frame = frame;
    record.bytes = bytesOf(line, facts, details, frame);
    return record;
}

bool LogBook::mustMakeRoomFor(std::size_t bytes, int listLines) const {
    return listLines >= maxLines || bytes_ + bytes > maxBytes;
}

std::uint32_t LogBook::add(LineRecord record) {
    record.serial = nextSerial_;
    // The serials go round after four billion lines; 0 is no line's.
    nextSerial_ = nextSerial_ == 0xFFFFFFFFu ? 1 : nextSerial_ + 1;
    bytes_ += record.bytes;
    records_.push_back(std::move(record));
    return records_.back().serial;
}

bool LogBook::replace(std::uint32_t serial, LineRecord record) {
    const int index = indexOf(serial);
    if (index < 0) {
        return false;
    }
    LineRecord& kept = records_[static_cast<std::size_t>(index)];
    bytes_ = bytes_ - kept.bytes + record.bytes;
    record.serial = serial;
    kept = std::move(record);
    return true;
}

bool LogBook::forget(std::uint32_t serial) {
    const int index = indexOf(serial);
    if (index < 0) {
        return false;
    }
    bytes_ -= at(index).bytes;
    records_.erase(records_.begin() + index);
    return true;
}

void LogBook::clear() {
    records_.clear();
    bytes_ = 0;
}

// The serials rise from the oldest record to the newest, counted round from
// the oldest's, so the search halves.
int LogBook::indexOf(std::uint32_t serial) const {
    if (serial == 0 || records_.empty()) {
        return -1;
    }
    const std::uint32_t oldest = records_.front().serial;
    const std::uint32_t wanted = serial - oldest;
    std::size_t low = 0;
    std::size_t high = records_.size();
    while (low < high) {
        const std::size_t middle = low + (high - low) / 2;
        if (records_[middle].serial - oldest < wanted) {
            low = middle + 1;
        } else {
            high = middle;
        }
    }
    return low < records_.size() && records_[low].serial == serial ? static_cast<int>(low) : -1;
}

std::uint32_t LogBook::heldMsOf(int index) const {
    if (index < 0 || index + 1 >= lines()) {
        return 0;
    }
    return heldMs(at(index).front.stampMs, at(index + 1).front.stampMs);
}

int LogBook::nextWindowAfter(int index) const {
    for (int next = index + 1; next < lines(); ++next) {
        if (at(next).window != nullptr) {
            return next;
        }
    }
    return -1;
}

LogBook::GaveBack LogBook::gaveBackOf(int index) const {
    const LineRecord& record = at(index);
    if (record.window == nullptr) {
        return GaveBack::none;
    }
    const int next = nextWindowAfter(index);
    if (next < 0) {
        return GaveBack::notYet;
    }
    return record.windowBefore != nullptr && at(next).window == record.windowBefore ? GaveBack::yes : GaveBack::no;
}
