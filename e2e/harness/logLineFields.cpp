#include "e2e/harness/logLineFields.h"

#include <cstring>

namespace e2e {

namespace {

constexpr long long smallestInt32 = -2147483648LL;
constexpr long long largestInt32 = 2147483647LL;

class Reader {
public:
    explicit Reader(const std::string& line) : line_(line) {}

    bool atEnd() const { return at_ == line_.size(); }

    // Takes `text` if the line goes on with it.
    bool take(const char* text) {
        const std::size_t length = std::strlen(text);
        if (line_.compare(at_, length, text) != 0) {
            return false;
        }
        at_ += length;
        return true;
    }

    // Takes everything up to the first `closing`, and the closing itself.
    bool takeUntil(const char* closing, std::string& value) {
        const std::size_t end = line_.find(closing, at_);
        if (end == std::string::npos) {
            return false;
        }
        value = line_.substr(at_, end - at_);
        at_ = end + std::strlen(closing);
        return true;
    }

    // "0", or an optional minus and a digit 1-9 followed by digits; a
    // signed 32-bit value.
    bool takeDecimal(long long& value) {
        const bool negative = at_ < line_.size() && line_[at_] == '-';
        std::size_t digit = at_ + (negative ? 1 : 0);
        const std::size_t first = digit;
        long long magnitude = 0;
        while (digit < line_.size() && line_[digit] >= '0' && line_[digit] <= '9') {
            magnitude = magnitude * 10 + (line_[digit] - '0');
            if (magnitude > largestInt32 + 1) {
                return false;
            }
            ++digit;
        }
        const std::size_t count = digit - first;
        if (count == 0 || (count > 1 && line_[first] == '0') || (negative && magnitude == 0)) {
            return false;
        }
        value = negative ? -magnitude : magnitude;
        if (value < smallestInt32 || value > largestInt32) {
            return false;
        }
        at_ = digit;
        return true;
    }

    // "0", or 1 to 8 upper-case hex digits without a leading zero.
    bool takeHex(unsigned long& value) {
        std::size_t digit = at_;
        unsigned long long total = 0;
        while (digit < line_.size()) {
            const char c = line_[digit];
            int nibble = -1;
            if (c >= '0' && c <= '9') {
                nibble = c - '0';
            } else if (c >= 'A' && c <= 'F') {
                nibble = c - 'A' + 10;
            }
            if (nibble < 0) {
                break;
            }
            total = total * 16 + static_cast<unsigned>(nibble);
            ++digit;
        }
        const std::size_t count = digit - at_;
        if (count == 0 || count > 8 || (count > 1 && line_[at_] == '0')) {
            return false;
        }
        value = static_cast<unsigned long>(total);
        at_ = digit;
        return true;
    }

    std::size_t position() const { return at_; }

private:
    const std::string& line_;
    std::size_t at_ = 0;
};

bool fail(std::string& why, const char* what, const Reader& reader) {
    why = std::string(what) + " at character " + std::to_string(reader.position());
    return false;
}

}  // namespace

bool parseLogLine(const std::string& line, LogLineFields& fields, std::string& why) {
    Reader reader(line);
    LogLineFields read;
    if (!reader.take("title='")) {
        return fail(why, "no title= label", reader);
    }
    if (!reader.takeUntil("'  cls='", read.title)) {
        return fail(why, "no cls= label after the title", reader);
    }
    if (!reader.takeUntil("'  vis=", read.className)) {
        return fail(why, "no vis= label after the class", reader);
    }
    if (reader.take("yes")) {
        read.visible = true;
    } else if (reader.take("no")) {
        read.visible = false;
    } else {
        return fail(why, "vis= is neither yes nor no", reader);
    }
    if (!reader.take("  pos=")) {
        return fail(why, "no pos= label", reader);
    }
    if (!reader.takeDecimal(read.left) || !reader.take(",") || !reader.takeDecimal(read.top) ||
        !reader.take(",") || !reader.takeDecimal(read.width) || !reader.take(",") ||
        !reader.takeDecimal(read.height)) {
        return fail(why, "pos= is not four decimals", reader);
    }
    if (!reader.take("  exe='")) {
        return fail(why, "no exe= label", reader);
    }
    if (!reader.takeUntil("'  pid=", read.exe)) {
        return fail(why, "no pid= label after the executable", reader);
    }
    if (!reader.takeDecimal(read.pid)) {
        return fail(why, "pid= is not a decimal", reader);
    }
    if (!reader.take("  style=")) {
        return fail(why, "no style= label", reader);
    }
    if (!reader.takeHex(read.style)) {
        return fail(why, "style= is not upper-case hex", reader);
    }
    if (!reader.take("  iconic=")) {
        return fail(why, "no iconic= label", reader);
    }
    if (reader.take("0")) {
        read.iconic = 0;
    } else if (reader.take("1")) {
        read.iconic = 1;
    } else {
        return fail(why, "iconic= is neither 0 nor 1", reader);
    }
    if (!reader.atEnd()) {
        return fail(why, "text after the last field", reader);
    }
    fields = read;
    return true;
}

}  // namespace e2e
