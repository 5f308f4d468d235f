// Finding top-level windows by their class, and by the process they belong
// to.
#pragma once

#include <windows.h>

#include <vector>

namespace e2e {

constexpr DWORD anyProcess = 0;

// The top-level windows of class `className` that belong to `pid` (or to any
// process), in z-order from the top; with `visibleOnly`, only visible ones.
std::vector<HWND> findWindows(const char* className, DWORD pid = anyProcess, bool visibleOnly = false);

// The first of them, or null.
HWND findWindow(const char* className, DWORD pid = anyProcess, bool visibleOnly = false);

}  // namespace e2e
