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
    const bool named = psapi && namesExecutable(hwnd, window);
    const bool mayBeFrame = psapi && hasFrameClass(window.className);
    OpenedProcess owner(pid);
    // A frame is told by its owner's executable, named or not.
    const std::string exe = named || mayBeFrame ? exeOfProcess(owner, thread) : std::string();
    if (mayBeFrame && isFrameHost(exe)) {
        found.frame.pid = pid;
        found.frame.exe = exe;
        found.appPending = true;
        if (lookUpAppInFrame(hwnd, window, found)) {
            return found;
        }
    }
    found.exePath = named ? exe : std::string();
    found.details = detailsOfProcess(owner, psapi);
    return found;
}

bool lookUpAppInFrame(HWND frame, const WindowTraits& frameTraits, WindowProcess& process) {
    if (!process.appPending) {
        return false;
    }
    const DWORD app = appProcessInFrame(frame, process.frame.pid);
    if (app == 0) {
        return false;
    }
    // The frame found its host's executable, so PSAPI has loaded.
    OpenedProcess opened(app);
    process.pid = app;
    // The frame's own traits decide whether an executable is named.
    process.exePath = namesExecutable(frame, frameTraits) ? exeOfProcess(opened) : std::string();
    process.details = detailsOfProcess(opened, true);
    process.appPending = false;
    return true;
}
