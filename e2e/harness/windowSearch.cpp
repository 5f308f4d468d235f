#include "e2e/harness/windowSearch.h"

#include <cstring>

namespace e2e {

namespace {

struct Search {
    const char* className;
    DWORD pid;
    bool visibleOnly;
    std::vector<HWND> found;
};

BOOL CALLBACK collect(HWND window, LPARAM context) {
    auto* search = reinterpret_cast<Search*>(context);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    char className[256] = {};
    GetClassNameA(window, className, sizeof className);
    if ((search->pid == anyProcess || pid == search->pid) &&
        std::strcmp(className, search->className) == 0 &&
        (!search->visibleOnly || IsWindowVisible(window))) {
        search->found.push_back(window);
    }
    return TRUE;
}

}  // namespace

std::vector<HWND> findWindows(const char* className, DWORD pid, bool visibleOnly) {
    Search search = {className, pid, visibleOnly, {}};
    EnumWindows(collect, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND findWindow(const char* className, DWORD pid, bool visibleOnly) {
    const std::vector<HWND> found = findWindows(className, pid, visibleOnly);
    return found.empty() ? nullptr : found.front();
}

}  // namespace e2e
