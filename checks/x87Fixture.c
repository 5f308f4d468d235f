/* The instruction check's own test: a function built for the 386 that
   computes in floating point, which only a coprocessor can run. */
float halfOf(int value) {
    return value * 0.5f;
}
