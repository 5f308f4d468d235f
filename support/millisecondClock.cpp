#include "support/millisecondClock.h"

#include "support/boundOnFirstUse.h"

DWORD millisecondClock() {
    return bound::timeGetTime.available() ? bound::timeGetTime() : GetTickCount();
}
