/* The forwarded exports are all this DLL has; see psapi.def. It leaves a
   marker where it is loaded from. */
#include <windows.h>

#include "loadMarker.h"

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) {
    (void)reserved;
    if (reason == DLL_PROCESS_ATTACH) {
        leaveLoadMarker(instance);
    }
    return TRUE;
}
