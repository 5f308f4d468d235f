/* The instruction check's own test: one instruction that the 386 lacks,
   a conditional move, in a function otherwise built for the 386. */
int largerOf(int a, int b) {
    __asm__("cmpl %1, %0\n\tcmovl %1, %0" : "+r"(a) : "r"(b) : "cc");
    return a;
}
