// The window filters and the lookup against real windows of this process.
#include <gtest/gtest.h>

#include <algorithm>

#include "inventory/basProcesses.h"
#include "inventory/basWindows.h"
#include "support/basOSinfo.h"

namespace {

class TestWindows : public ::testing::Test {
protected:
    // The lookup takes the NT family's PSAPI path, as the program does on
    // Wine, which gives full paths.
    void SetUp() override { getOSInfo(OSInfo); }
    void TearDown() override {
        // Owned windows first.
        for (auto it = windows_.rbegin(); it != windows_.rend(); ++it) {
            DestroyWindow(*it);
        }
    }

    HWND make(const char* className, DWORD style, DWORD exStyle = 0, HWND owner = nullptr,
              int width = 200, int height = 120) {
        WNDCLASSA windowClass = {};
        windowClass.lpfnWndProc = DefWindowProcA;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = className;
        RegisterClassA(&windowClass);
        const HWND window = CreateWindowExA(exStyle, className, "filter test", style, 40, 40, width,
                                            height, owner, nullptr, windowClass.hInstance, nullptr);
        if (window != nullptr) {
            windows_.push_back(window);
        }
        return window;
    }

    HWND plain(const char* className = "TarnwickPlainWindow") {
        return make(className, WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    }

    static bool listed(HWND window) {
        std::vector<HWND> handles(windowListPositions, nullptr);
        std::vector<DWORD> pids(windowListPositions, 0);
        const int count = getTopLevelWindowList(handles, pids);
        const auto end = handles.begin() + count;
        const auto found = std::find(handles.begin(), end, window);
        if (found == end) {
            return false;
        }
        return pids[static_cast<std::size_t>(found - handles.begin())] == GetCurrentProcessId();
    }

    static std::string ownExe() {
        char path[MAX_PATH];
        const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
        return std::string(path, length);
    }

    std::vector<HWND> windows_;
};

TEST_F(TestWindows, AnOrdinaryWindowIsATaskWindowAndLogsItsExecutable) {
    const HWND window = plain();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(isTaskWindow(window));
    EXPECT_TRUE(hasVisibleArea(window));
    EXPECT_EQ(getVisibleRootWindow(window), window);
    EXPECT_TRUE(listed(window));
    EXPECT_EQ(getExeOfWindow(window), ownExe());
}

TEST_F(TestWindows, PopupDisabledAndModalFrameWindowsAreNotTaskWindows) {
    const HWND popup = make("TarnwickPopup", WS_POPUP | WS_VISIBLE);
    const HWND disabled = make("TarnwickDisabled", WS_OVERLAPPEDWINDOW | WS_VISIBLE | WS_DISABLED);
    const HWND modalFrame = make("TarnwickBit80", WS_OVERLAPPEDWINDOW | WS_VISIBLE | 0x80);
    for (HWND window : {popup, disabled, modalFrame}) {
        ASSERT_NE(window, nullptr);
        EXPECT_FALSE(isTaskWindow(window));
        EXPECT_FALSE(listed(window));
        EXPECT_EQ(getExeOfWindow(window), "");
    }
}

TEST_F(TestWindows, TooltipClassesInAnyCaseAreExcluded) {
    for (const char* name : {"TarnwickTooltip", "My_TOOLTIPS_class", "tooltips_class32x"}) {
        const HWND window = plain(name);
        ASSERT_NE(window, nullptr);
        EXPECT_FALSE(isTaskWindow(window)) << name;
        EXPECT_EQ(getExeOfWindow(window), "") << name;
    }
}

TEST_F(TestWindows, TheTaskbarClassIsExcludedOnlyInItsExactCase) {
    const HWND tray = plain("Shell_TrayWnd");
    const HWND other = plain("shell_traywnd_");
    ASSERT_NE(tray, nullptr);
    ASSERT_NE(other, nullptr);
    EXPECT_FALSE(isTaskWindow(tray));
    EXPECT_EQ(getExeOfWindow(tray), "");
    EXPECT_TRUE(isTaskWindow(other));
}

// GetParent reports the owner of an owned pop-up window (a dialog, a tool
// window); the owner's style then decides, and the owned window is not its
// own root.
TEST_F(TestWindows, AWindowOwnedByAVisibleWindowHasThatOwnerAsRoot) {
    const HWND owner = plain("TarnwickOwner");
    const HWND owned =
        make("TarnwickOwned", WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE, 0, owner);
    ASSERT_NE(owned, nullptr);
    EXPECT_EQ(getVisibleRootWindow(owned), owner);
    EXPECT_TRUE(isTaskWindow(owned));  // judged by its owner
    EXPECT_FALSE(listed(owned));
    EXPECT_EQ(getExeOfWindow(owned), "");
    EXPECT_EQ(getExeOfWindow(owner), ownExe());
}

TEST_F(TestWindows, AWindowOwnedByAHiddenWindowIsItsOwnRoot) {
    const HWND owner = make("TarnwickHiddenOwner", WS_OVERLAPPEDWINDOW);
    const HWND owned =
        make("TarnwickOwnedOfHidden", WS_POPUP | WS_CAPTION | WS_VISIBLE, 0, owner);
    ASSERT_NE(owned, nullptr);
    EXPECT_EQ(getVisibleRootWindow(owned), owned);
    EXPECT_FALSE(isTaskWindow(owned));  // its own root, and a pop-up
}

TEST_F(TestWindows, HiddenAndZeroSizedWindowsHaveNoVisibleArea) {
    const HWND hidden = make("TarnwickHidden", WS_OVERLAPPEDWINDOW);
    const HWND flat = make("TarnwickFlat", WS_POPUP | WS_VISIBLE, 0, nullptr, 100, 0);
    const HWND thin = make("TarnwickThin", WS_POPUP | WS_VISIBLE, 0, nullptr, 0, 100);
    for (HWND window : {hidden, flat, thin}) {
        ASSERT_NE(window, nullptr);
        EXPECT_FALSE(hasVisibleArea(window));
        EXPECT_FALSE(listed(window));
    }
}

TEST_F(TestWindows, ClassNamesUpTo255CharactersComeBackWhole) {
    const std::string longName(255, 'c');
    const HWND window = plain(longName.c_str());
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(getClassNameStr(window), longName);
}

TEST_F(TestWindows, TheWalkCanEndAtAWindow) {
    const HWND lower = plain("TarnwickLower");
    const HWND upper = plain("TarnwickUpper");  // created last: above `lower`
    ASSERT_NE(upper, nullptr);
    std::vector<HWND> handles(windowListPositions, nullptr);
    std::vector<DWORD> pids(windowListPositions, 0);
    const int count = getTopLevelWindowList(handles, pids, upper);
    ASSERT_GE(count, 1);
    EXPECT_EQ(handles[count - 1], upper);
    EXPECT_EQ(std::find(handles.begin(), handles.begin() + count, lower), handles.begin() + count);
    EXPECT_TRUE(listed(lower));  // the full walk still finds it
}

TEST_F(TestWindows, AGoneWindowGivesNeutralAnswers) {
    const HWND window = plain("TarnwickGone");
    ASSERT_NE(window, nullptr);
    DestroyWindow(window);
    windows_.clear();
    EXPECT_EQ(getClassNameStr(window), "");
    EXPECT_FALSE(isTaskWindow(window));
    EXPECT_FALSE(hasVisibleArea(window));
    EXPECT_EQ(getExeOfWindow(window), "");
    EXPECT_EQ(getExeOfWindow(nullptr), "");
}

}  // namespace
