// Division of 64-bit numbers in the 32-bit program, in place of libgcc's
// helpers (which are not linked, and are built for a newer processor). The
// compiler calls these where it cannot divide inline: an optimised build
// divides by constants without them, an unoptimised one does not.
// formatDecimal's 64-bit digits are the program's only such division.

namespace {

// Long division, one bit at a time: slow, but only 386 instructions.
unsigned long long divide(unsigned long long dividend, unsigned long long divisor,
                          unsigned long long& remainder) {
    unsigned long long quotient = 0;
    unsigned long long rest = 0;
    for (int bit = 63; bit >= 0; --bit) {
        rest = (rest << 1) | ((dividend >> bit) & 1);
        if (rest >= divisor) {
            rest -= divisor;
            quotient |= 1ULL << bit;
        }
    }
    remainder = rest;
    return quotient;
}

}  // namespace

extern "C" unsigned long long __udivdi3(unsigned long long dividend, unsigned long long divisor) {
    unsigned long long remainder;
    return divide(dividend, divisor, remainder);
}

extern "C" unsigned long long __umoddi3(unsigned long long dividend, unsigned long long divisor) {
    unsigned long long remainder;
    divide(dividend, divisor, remainder);
    return remainder;
}
