#include "e2e/harness/processHandles.h"

namespace e2e {

namespace {

// Handle values are multiples of 4, handed out from the lowest free slot, so
// the open ones lie close together; a run of this many free values means the
// rest of the table is empty.
constexpr int freeValuesToStop = 2048;
constexpr ULONG_PTR handleStep = 4;

}  // namespace

int countOpenHandles(HANDLE process) {
    int open = 0;
    int freeInARow = 0;
    for (ULONG_PTR value = handleStep; freeInARow < freeValuesToStop; value += handleStep) {
        HANDLE copy = nullptr;
        if (DuplicateHandle(process, reinterpret_cast<HANDLE>(value), GetCurrentProcess(), &copy, 0,
                            FALSE, DUPLICATE_SAME_ACCESS)) {
            CloseHandle(copy);
            ++open;
            freeInARow = 0;
        } else {
            ++freeInARow;
        }
    }
    return open > 0 ? open : -1;
}

}  // namespace e2e
