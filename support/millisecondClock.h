// A millisecond counter for measuring short spans.
#pragma once

#include <windows.h>

// timeGetTime, which counts in single milliseconds once the timer resolution
// is raised; GetTickCount, which counts in steps of 10 to 16, should winmm be
// missing. Wraps every 49.7 days: take differences only.
DWORD millisecondClock();
