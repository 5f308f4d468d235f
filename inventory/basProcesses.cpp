#include "inventory/basProcesses.h"

#include "inventory/processExe.h"
#include "inventory/psapiProvisioning.h"
#include "support/basOSinfo.h"

std::string getExeOfWindow(HWND hwnd, DWORD pid, WindowTraits window) {
    // No window, no process: nothing to look up.
    if (hwnd == nullptr) {
        return std::string();
    }
    if (OSInfo.isNT && !ensurePsapi()) {
        return std::string();
    }
    // For an owned top-level window GetParent names its owner.
    window.parentOrOwnerVisible = IsWindowVisible(GetParent(hwnd)) != FALSE;
    if (!qualifiesForLookup(window) || pid == 0) {
        return std::string();
    }
    return exeOfProcess(pid);
}
