// The lookup against real windows and the process of this test: the window's
// values as the program reads them for the line, and whether an owner is
// visible, which the lookup reads itself.
#include <gtest/gtest.h>

#include "inventory/basProcesses.h"
#include "inventory/storeAppFrame.h"
#include "inventory/tests/boundFakes.h"
#include "support/basOSinfo.h"

namespace {

// An ordinary window as the program reads it: visible, 200 by 120 pixels.
WindowTraits ordinary(const char* className, DWORD style) {
    WindowTraits traits;
    traits.style = style;
    traits.className = className;
    traits.visible = 1;
    traits.width = 200;
    traits.height = 120;
    return traits;
}

class TestWindows : public ::testing::Test {
protected:
    // The lookup takes the NT family's PSAPI path, as the program does on
    // Wine, which gives full paths.
    void SetUp() override { getOSInfo(OSInfo); }
    void TearDown() override {
        fakes::removeAll();
        // Owned windows first.
        for (auto it = windows_.rbegin(); it != windows_.rend(); ++it) {
            DestroyWindow(*it);
        }
    }

    HWND make(const char* className, DWORD style, HWND owner = nullptr) {
        WNDCLASSA windowClass = {};
        windowClass.lpfnWndProc = DefWindowProcA;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = className;
        RegisterClassA(&windowClass);
        const HWND window = CreateWindowExA(0, className, "filter test", style, 40, 40, 200, 120,
                                            owner, nullptr, windowClass.hInstance, nullptr);
        if (window != nullptr) {
            windows_.push_back(window);
        }
        return window;
    }

    static std::string ownExe() {
        char path[MAX_PATH];
        const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
        return std::string(path, length);
    }

    std::vector<HWND> windows_;
};

TEST_F(TestWindows, AnOrdinaryWindowLogsItsExecutable) {
    const DWORD style = WS_OVERLAPPEDWINDOW | WS_VISIBLE;
    const HWND window = make("TarnwickPlainWindow", style);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(getExeOfWindow(window, GetCurrentProcessId(), ordinary("TarnwickPlainWindow", style)),
              ownExe());
}

// GetParent reports the owner of an owned pop-up (a dialog, a tool window):
// while the owner is visible, the owned window is not its own root. (For an
// owned overlapped window it reports none, as Windows does.)
TEST_F(TestWindows, AWindowOwnedByAVisibleWindowHasNoExecutableButItsOwnerHas) {
    const DWORD ownerStyle = WS_OVERLAPPEDWINDOW | WS_VISIBLE;
    const DWORD ownedStyle = WS_POPUP | WS_CAPTION | WS_VISIBLE;
    const HWND owner = make("TarnwickOwner", ownerStyle);
    const HWND owned = make("TarnwickOwned", ownedStyle, owner);
    ASSERT_NE(owned, nullptr);
    // Taken as an overlapped window, so that only its owner rules it out.
    EXPECT_EQ(getExeOfWindow(owned, GetCurrentProcessId(), ordinary("TarnwickOwned", ownerStyle)), "");
    EXPECT_EQ(getExeOfWindow(owner, GetCurrentProcessId(), ordinary("TarnwickOwner", ownerStyle)), ownExe());
}

// A window that is gone gives neutral values; the handle 0 is no window.
TEST_F(TestWindows, AGoneWindowAndNoWindowHaveNoExecutable) {
    const HWND window = make("TarnwickGone", WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    ASSERT_NE(window, nullptr);
    DestroyWindow(window);
    windows_.clear();
    EXPECT_EQ(getExeOfWindow(window, 0, WindowTraits()), "");
    EXPECT_EQ(getExeOfWindow(nullptr, GetCurrentProcessId(), ordinary("TarnwickGone", WS_OVERLAPPEDWINDOW)),
              "");
}

// Any program may register the frame's class: only the frame host's file
// name, in any case, makes a frame.
TEST(StoreAppFrame, OnlyTheFrameHostsFileNameMakesAFrame) {
    EXPECT_TRUE(isFrameHost("c:\\windows\\system32\\APPLICATIONFRAMEHOST.EXE"));
    EXPECT_FALSE(isFrameHost("C:\\Tools\\NotApplicationFrameHost.exe"));
}

// The fakes make process 4242 the frame host of a frame of this test, and
// this test the app: the frame is the host's, and asking again opens
// nothing, until the app's window is in it.
TEST_F(TestWindows, AStoreAppsFrameIsTheHostsUntilItsAppsWindowIsInIt) {
    fakes::installPsapi(true);
    fakes::processes = {{4242, "C:\\Windows\\ApplicationFrameHost.exe"}, {GetCurrentProcessId(), "C:\\app.exe"}};
    const DWORD style = WS_OVERLAPPEDWINDOW | WS_VISIBLE;
    const HWND frame = make("ApplicationFrameWindow", style);
    const WindowTraits traits = ordinary("ApplicationFrameWindow", style);
    WindowProcess found = lookUpWindowProcess(frame, 4242, 0, traits);
    EXPECT_TRUE(found.appPending);
    EXPECT_EQ(found.exePath, "C:\\Windows\\ApplicationFrameHost.exe");
    const std::vector<DWORD> opens = fakes::openAccess;
    EXPECT_FALSE(lookUpAppInFrame(frame, traits, found));
    EXPECT_EQ(fakes::openAccess, opens);
    make("Windows.UI.Core.CoreWindow", WS_CHILD | WS_VISIBLE, frame);
    ASSERT_TRUE(lookUpAppInFrame(frame, traits, found));
    EXPECT_EQ(found.pid, GetCurrentProcessId());
    EXPECT_EQ(found.exePath, "C:\\app.exe");
    EXPECT_EQ(found.frame.pid, 4242u);
    EXPECT_FALSE(found.appPending);
}

}  // namespace
