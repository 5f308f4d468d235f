// The window-to-executable lookup: a fresh process table and window list,
// joined on the process id.
#include "inventory/basProcesses.h"

#include "support/boundOnFirstUse.h"

std::string getExeOfWindow(HWND hwnd) {
    // No window, no process: nothing to look up.
    if (hwnd == nullptr) {
        return std::string();
    }
    return findWindowProcess(hwnd);
}

std::string findWindowProcess(HWND hwnd) {
    std::vector<DWORD> processIds(processTablePositions, 0);
    std::vector<std::string> processExePaths(processTablePositions);
    std::vector<HWND> windowHandles(windowListPositions, nullptr);
    std::vector<DWORD> windowProcessIds(windowListPositions, 0);

    DWORD windowPid = 0;
    bound::GetWindowThreadProcessId(hwnd, &windowPid);

    // The processes first, then the windows.
    const int processCount = getProcessListFor(processIds, processExePaths, windowPid);
    const int windowCount = getTopLevelWindowList(windowHandles, windowProcessIds, hwnd);
    return joinWindowToExe(hwnd, windowHandles, windowProcessIds, windowCount, processIds,
                           processExePaths, processCount);
}

std::string joinWindowToExe(HWND hwnd, const std::vector<HWND>& windowHandles,
                            const std::vector<DWORD>& windowProcessIds, int windowCount,
                            const std::vector<DWORD>& processIds,
                            const std::vector<std::string>& processExePaths, int processCount) {
    const int windows = smallerOf(windowCount, smallerOf(static_cast<int>(windowHandles.size()),
                                                         static_cast<int>(windowProcessIds.size())));
    const int processes = smallerOf(processCount, smallerOf(static_cast<int>(processIds.size()),
                                                            static_cast<int>(processExePaths.size())));
    std::string result;
    for (int i = 0; i < windows; ++i) {
        if (windowHandles[i] != hwnd) {
            continue;
        }
        for (int j = 0; j < processes; ++j) {
            if (windowProcessIds[i] == processIds[j]) {
                result = processExePaths[j];
            }
        }
    }
    return result;
}
