// Detecting a change of the foreground window and logging one line for it.
#include "main_window/Form1.h"

#include <cstdint>

#include "inventory/basProcesses.h"
#include "main_window/logLine.h"
#include "support/basStrings.h"
#include "support/boundOnFirstUse.h"
#include "support/handles.h"

void Form1::checkForeground() {
    const HWND h = GetForegroundWindow();
    if (h == lastForegroundWnd) {
        return;
    }
    lastForegroundWnd = h;

    DWORD pid = 0;
    bound::GetWindowThreadProcessId(h, &pid);

    ForegroundFacts facts;
    facts.title = getStrWindowText(h);
    facts.className = getStrClass(h);
    facts.visible = IsWindowVisible(h) != FALSE;
    RECT rect = {0, 0, 0, 0};
    GetWindowRect(h, &rect);
    facts.left = rect.left;
    facts.top = rect.top;
    facts.right = rect.right;
    facts.bottom = rect.bottom;
    facts.exePath = getExeOfWindow(h);
    facts.pid = pid;
    facts.style = static_cast<std::uint32_t>(GetWindowLongA(h, GWL_STYLE));
    facts.iconic = IsIconic(h);

    // The lookup may let the window run; if it was closed meanwhile, nobody
    // can see the line any more.
    if (hwnd_ == nullptr) {
        return;
    }
    appendToLog(buildLogLine(facts));
}

void Form1::appendToLog(const std::string& line) {
    const int count = static_cast<int>(SendMessageA(List1, LB_GETCOUNT, 0, 0));
    for (int drop = linesToDropBeforeAppend(count); drop > 0; --drop) {
        SendMessageA(List1, LB_DELETESTRING, 0, 0);
    }
    SendMessageA(List1, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.c_str()));
    const int newCount = static_cast<int>(SendMessageA(List1, LB_GETCOUNT, 0, 0));
    if (newCount > 0) {
        SendMessageA(List1, LB_SETCURSEL, static_cast<WPARAM>(newCount - 1), 0);
    }
    widenListExtent(line);
}

void Form1::widenListExtent(const std::string& line) {
    WindowDC dc(List1);
    if (dc.get() == nullptr) {
        return;
    }
    const HGDIOBJ font = reinterpret_cast<HGDIOBJ>(SendMessageA(List1, WM_GETFONT, 0, 0));
    const HGDIOBJ previous = font != nullptr ? SelectObject(dc.get(), font) : nullptr;
    SIZE extent = {0, 0};
    GetTextExtentPoint32A(dc.get(), line.data(), static_cast<int>(line.size()), &extent);
    if (previous != nullptr) {
        SelectObject(dc.get(), previous);
    }
    const int wanted = extent.cx + GetSystemMetrics(SM_CXEDGE) * 2 + 4;
    if (wanted > widestLinePixels_) {
        widestLinePixels_ = wanted;
        SendMessageA(List1, LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(widestLinePixels_), 0);
        // The horizontal scroll bar may have appeared: the list box then trims
        // its height to whole lines again, and the panel must follow.
        layout();
    }
}

std::string Form1::getStrWindowText(HWND window) {
    int length = GetWindowTextLengthA(window);
    if (length < 0) {
        length = 0;
    }
    std::string buffer = blankBuffer(static_cast<std::size_t>(length) + 1);
    GetWindowTextA(window, &buffer[0], length + 1);
    return nTrim(buffer);
}

std::string Form1::getStrClass(HWND window) {
    std::string buffer = blankBuffer(260);
    GetClassNameA(window, &buffer[0], 260);
    return nTrim(buffer);
}
