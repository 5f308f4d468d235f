#include <gtest/gtest.h>

#include "inventory/basProcesses.h"

namespace {

HWND handle(INT_PTR value) {
    return reinterpret_cast<HWND>(value);
}

struct Tables {
    std::vector<HWND> windows = std::vector<HWND>(windowListPositions, nullptr);
    std::vector<DWORD> windowPids = std::vector<DWORD>(windowListPositions, 0);
    std::vector<DWORD> pids = std::vector<DWORD>(processTablePositions, 0);
    std::vector<std::string> paths = std::vector<std::string>(processTablePositions);

    std::string join(HWND window, int windowCount, int processCount) const {
        return joinWindowToExe(window, windows, windowPids, windowCount, pids, paths, processCount);
    }
};

TEST(Join, FindsThePathOfTheWindowsProcess) {
    Tables t;
    t.windows[0] = handle(0x10);
    t.windowPids[0] = 300;
    t.windows[1] = handle(0x20);
    t.windowPids[1] = 400;
    t.pids[0] = 400;
    t.paths[0] = "C:\\b.exe";
    t.pids[1] = 300;
    t.paths[1] = "C:\\a.exe";
    EXPECT_EQ(t.join(handle(0x10), 2, 2), "C:\\a.exe");
    EXPECT_EQ(t.join(handle(0x20), 2, 2), "C:\\b.exe");
}

TEST(Join, TheLastProcessEntryWithTheIdWins) {
    Tables t;
    t.windows[0] = handle(0x10);
    t.windowPids[0] = 300;
    t.pids[0] = 300;
    t.paths[0] = "C:\\first.exe";
    t.pids[1] = 300;
    t.paths[1] = "C:\\second.exe";
    t.pids[2] = 500;
    t.paths[2] = "C:\\other.exe";
    EXPECT_EQ(t.join(handle(0x10), 1, 3), "C:\\second.exe");
}

TEST(Join, AnUnlistedWindowOrUnknownProcessGivesEmptyText) {
    Tables t;
    t.windows[0] = handle(0x10);
    t.windowPids[0] = 300;
    t.pids[0] = 301;
    t.paths[0] = "C:\\a.exe";
    EXPECT_EQ(t.join(handle(0x99), 1, 1), "");
    EXPECT_EQ(t.join(handle(0x10), 1, 1), "");
    EXPECT_EQ(t.join(nullptr, 1, 1), "");
}

TEST(Join, OnlyThePositionsCoveredByTheCountsTakePart) {
    Tables t;
    t.windows[0] = handle(0x10);
    t.windowPids[0] = 300;
    t.windows[5] = handle(0x20);
    t.windowPids[5] = 300;
    t.pids[0] = 300;
    t.paths[0] = "C:\\a.exe";
    t.pids[3] = 300;
    t.paths[3] = "C:\\later.exe";
    EXPECT_EQ(t.join(handle(0x20), 5, 4), "");
    EXPECT_EQ(t.join(handle(0x10), 1, 3), "C:\\a.exe");
    EXPECT_EQ(t.join(handle(0x10), 1, 4), "C:\\later.exe");
}

TEST(Join, CountsBeyondTheTablesAreHarmless) {
    Tables t;
    t.windows[399] = handle(0x10);
    t.windowPids[399] = 300;
    t.pids[199] = 300;
    t.paths[199] = "C:\\edge.exe";
    EXPECT_EQ(t.join(handle(0x10), 100000, 100000), "C:\\edge.exe");
}

}  // namespace
