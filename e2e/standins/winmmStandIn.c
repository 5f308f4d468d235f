/* A winmm.dll of the tests' own, placed where a program must not take it
   from: it works like the real timer functions, and leaves a marker when it
   is loaded. */
#include <windows.h>

#include "loadMarker.h"

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) {
    (void)reserved;
    if (reason == DLL_PROCESS_ATTACH) {
        leaveLoadMarker(instance);
    }
    return TRUE;
}

__declspec(dllexport) UINT WINAPI timeBeginPeriod(UINT period) {
    (void)period;
    return 0;
}

__declspec(dllexport) UINT WINAPI timeEndPeriod(UINT period) {
    (void)period;
    return 0;
}

__declspec(dllexport) DWORD WINAPI timeGetTime(void) {
    return GetTickCount();
}
