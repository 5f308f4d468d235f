// The Suspects window: the Suspects table (suspects.h) in a list view of its
// own, a second top-level window owned by the main window. It has no modal
// loop of its own: it runs in the polling loop's message step, and the log
// goes on while it is open. Its table follows the log once the foreground
// has been quiet for a moment, as the log's painting does, so that updating
// it never costs a change of the foreground.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "main_window/suspects.h"

class ModalLoopPolling;

class SuspectsWindow {
public:
    // What the window needs of the log.
    struct Log {
        std::function<const LogBook&()> book;
        std::function<void(std::uint32_t serial)> selectLine;  // Enter or a double-click on a row
    };

    SuspectsWindow() = default;
    SuspectsWindow(const SuspectsWindow&) = delete;
    SuspectsWindow& operator=(const SuspectsWindow&) = delete;

    static bool registerClass(HINSTANCE instance);

    // Opens the window for `owner`, or brings it to the front when it is
    // open. Its modal loops (moving, sizing, its menu, its scroll bars) poll
    // through `modalLoops`.
    void open(HWND owner, ModalLoopPolling& modalLoops, Log log);

    // The log changed: the table follows within about 100 ms, once the
    // foreground has been quiet for a moment.
    void logChanged();

    HWND handle() const { return window_; }

private:
    static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK listProc(HWND list, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    bool createList();
    LRESULT onNotify(const NMHDR& header, LPARAM lParam);
    void onTimer();
    void refresh();
    void fill(const std::string& selectedProgram);
    void sortBy(int column);
    int selectedRow() const;
    std::string selectedProgram() const;
    void selectLineOfRow();
    void copyTable();
    void showMenu(POINT at);

    HWND window_ = nullptr;
    HWND list_ = nullptr;
    WNDPROC listOriginal_ = nullptr;
    ModalLoopPolling* modalLoops_ = nullptr;
    Log log_;
    std::vector<Suspect> rows_;
    int sortColumn_ = -1;  // -1: the culprit on top
    bool reversed_ = false;
    bool updatePending_ = false;
    DWORD firstChange_ = 0;  // since the table was last made
    DWORD lastChange_ = 0;
};
