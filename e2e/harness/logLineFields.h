// Taking a log line apart into its eight fields, strictly: every label in its
// place, every separator exactly two blanks, numbers in the program's own
// formats. For lines of windows the test did not make, where the exact text
// cannot be known in advance, this is what "well formed" means.
#pragma once

#include <string>

namespace e2e {

struct LogLineFields {
    std::string title;
    std::string className;
    bool visible = false;
    long long left = 0;
    long long top = 0;
    long long width = 0;
    long long height = 0;
    std::string exe;
    long long pid = 0;
    unsigned long style = 0;
    int iconic = 0;
};

// Fills `fields` from `line` and returns true when the line is well formed:
//   title='T'  cls='C'  vis=yes|no  pos=L,T,W,H  exe='E'  pid=P  style=S  iconic=0|1
// L, T, W, H and P are signed 32-bit decimals without leading zeros or plus
// signs, S is 1 to 8 upper-case hex digits without leading zeros. T, C and E
// end at the first "'" that is followed by their separator and the next
// label. Otherwise returns false and says why in `why`.
bool parseLogLine(const std::string& line, LogLineFields& fields, std::string& why);

}  // namespace e2e
