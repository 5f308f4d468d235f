// The lookup against real windows of this process: the rule's values are
// read from the platform as the program reads them.
#include <gtest/gtest.h>

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
    const HWND window = make("TarnwickPlainWindow", WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    ASSERT_NE(window, nullptr);
    const WindowTraits traits = readWindowTraits(window);
    EXPECT_EQ(traits.className, "TarnwickPlainWindow");
    EXPECT_EQ(traits.style & WS_OVERLAPPEDWINDOW, static_cast<std::uint32_t>(WS_OVERLAPPEDWINDOW));
    EXPECT_EQ(traits.width, 200);
    EXPECT_EQ(traits.height, 120);
    EXPECT_EQ(getExeOfWindow(window), ownExe());
}

// GetParent reports the owner of an owned pop-up (a dialog, a tool window):
// while the owner is visible, the owned window is not its own root. (For an
// owned overlapped window it reports none, as Windows does.)
TEST_F(TestWindows, AWindowOwnedByAVisibleWindowHasNoExecutableButItsOwnerHas) {
    const HWND owner = make("TarnwickOwner", WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    const HWND owned = make("TarnwickOwned", WS_POPUP | WS_CAPTION | WS_VISIBLE, owner);
    ASSERT_NE(owned, nullptr);
    EXPECT_TRUE(readWindowTraits(owned).parentOrOwnerVisible);
    EXPECT_EQ(getExeOfWindow(owned), "");
    EXPECT_EQ(getExeOfWindow(owner), ownExe());
}

TEST_F(TestWindows, ClassNamesUpTo255CharactersComeBackWhole) {
    const std::string longName(255, 'c');
    const HWND window = make(longName.c_str(), WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(getClassNameStr(window), longName);
}

TEST_F(TestWindows, AGoneWindowGivesNeutralAnswers) {
    const HWND window = make("TarnwickGone", WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    ASSERT_NE(window, nullptr);
    DestroyWindow(window);
    windows_.clear();
    const WindowTraits traits = readWindowTraits(window);
    EXPECT_EQ(traits.className, "");
    EXPECT_EQ(traits.style, 0u);
    EXPECT_EQ(traits.visible, 0);
    EXPECT_FALSE(qualifiesForLookup(window));
    EXPECT_EQ(getExeOfWindow(window), "");
    EXPECT_EQ(getExeOfWindow(nullptr), "");
}

}  // namespace
