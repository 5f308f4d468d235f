#include "inventory/basProcesses.h"

#include "inventory/basWindows.h"
#include "inventory/processExe.h"
#include "inventory/psapiProvisioning.h"
#include "support/basOSinfo.h"
#include "support/boundOnFirstUse.h"

std::string getExeOfWindow(HWND hwnd) {
    // No window, no process: nothing to look up.
    if (hwnd == nullptr) {
        return std::string();
    }
    return findWindowProcess(hwnd);
}

std::string findWindowProcess(HWND hwnd) {
    if (OSInfo.isNT && !ensurePsapi()) {
        return std::string();
    }
    if (!qualifiesForLookup(hwnd)) {
        return std::string();
    }
    DWORD pid = 0;
    bound::GetWindowThreadProcessId(hwnd, &pid);
    return pid != 0 ? exeOfProcess(pid) : std::string();
}
