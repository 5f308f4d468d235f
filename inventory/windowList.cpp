// The list of top-level task windows and the processes that own them.
#include "inventory/basProcesses.h"

#include "inventory/basWindows.h"
#include "support/boundOnFirstUse.h"

namespace {
// A bound on the walk, in case the window order keeps changing under it.
constexpr int mostWindowsExamined = 100000;
// A bound on the climb, in case a parent chain never ends.
constexpr int deepestWindowChain = 1000;
}  // namespace

int getTopLevelWindowList(std::vector<HWND>& windowHandles, std::vector<DWORD>& windowProcessIds,
                          HWND stopAt) {
    const int capacity = smallerOf(static_cast<int>(windowHandles.size()),
                                   static_cast<int>(windowProcessIds.size()));
    int k = 1;
    HWND w = GetWindow(GetDesktopWindow(), GW_CHILD);
    for (int examined = 0; w != nullptr && k <= capacity && examined < mostWindowsExamined;
         ++examined) {
        if (isTaskWindow(w) && hasVisibleArea(w) && getVisibleRootWindow(w) == w) {
            bound::GetWindowThreadProcessId(w, &windowProcessIds[k - 1]);
            windowHandles[k - 1] = w;
            ++k;
        }
        if (w == stopAt) {
            break;
        }
        w = GetWindow(w, GW_HWNDNEXT);
    }
    return k - 1;
}

HWND getVisibleRootWindow(HWND hwnd) {
    HWND root = hwnd;
    for (int depth = 0; depth < deepestWindowChain; ++depth) {
        const HWND parent = GetParent(root);
        if (!IsWindowVisible(parent)) {
            return root;
        }
        root = parent;
    }
    return root;
}
