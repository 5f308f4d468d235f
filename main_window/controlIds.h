// Command identifiers of the main window's controls.
#pragma once

#include <windows.h>

namespace controlId {
constexpr int List1 = 101;
constexpr int cmdClear = 102;
constexpr int chkTopMost = 103;
constexpr int cmdClose = IDCANCEL;  // Esc presses Close
constexpr UINT_PTR Timer1 = 1;
constexpr UINT_PTR listRepaint = 2;  // shows lines added while painting was held back
constexpr UINT_PTR frameRecheck = 3;  // looks again for the app in a Store app's frame
// Posted when the last modal loop has returned: the polling loop may begin.
constexpr UINT startPollingLoop = WM_APP + 1;
}  // namespace controlId
