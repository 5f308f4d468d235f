#include "inventory/basProcesses.h"

#include "inventory/openedProcess.h"
#include "inventory/processExe.h"
#include "inventory/psapiProvisioning.h"
#include "inventory/storeAppFrame.h"
#include "inventory/wowTasks.h"
#include "support/basOSinfo.h"

namespace {

// Whether the window's own values let its executable be named.
bool namesExecutable(HWND hwnd, WindowTraits window) {
    // For an owned top-level window GetParent names its owner.
    window.parentOrOwnerVisible = IsWindowVisible(GetParent(hwnd)) != FALSE;
    return qualifiesForLookup(window);
}

}  // namespace

std::string getExeOfWindow(HWND hwnd, DWORD pid, WindowTraits window, DWORD thread) {
    // No window, no process: nothing to look up.
    if (hwnd == nullptr) {
        return std::string();
    }
    if (OSInfo.isNT && !ensurePsapi()) {
        return std::string();
    }
    if (!namesExecutable(hwnd, window) || pid == 0) {
        return std::string();
    }
    return exeOfProcess(pid, thread);
}

WindowProcess lookUpWindowProcess(HWND hwnd, DWORD pid, DWORD thread, const WindowTraits& window) {
    WindowProcess found;
    found.pid = pid;
    if (hwnd == nullptr || pid == 0) {
        found.exePath = getExeOfWindow(hwnd, pid, window);
        return found;
    }
    if (!OSInfo.isNT) {
        // One snapshot for the executable and the parent.
        const SnapshotEntry entry = processInSnapshot(pid);
        if (namesExecutable(hwnd, window)) {
            found.exePath = resolveNtvdmName(entry.exe, pid, thread);
        }
        found.details.parentPid = entry.parentPid;
        found.details.parentExe = entry.parentExe;
        return found;
    }
    const bool psapi = ensurePsapi();
    const DWORD app = appProcessInFrame(hwnd, window.className, pid);
    if (app != 0) {
        found.frame.pid = pid;
        found.frame.exe = psapi ? exeOfProcess(pid) : std::string();
        found.pid = app;
        thread = 0;
    }
    OpenedProcess opened(found.pid);
    // The frame's own traits decide whether an executable is named.
    if (psapi && namesExecutable(hwnd, window)) {
        found.exePath = exeOfProcess(opened, thread);
    }
    found.details = detailsOfProcess(opened, psapi);
    return found;
}
