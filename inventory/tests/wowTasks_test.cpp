#include <gtest/gtest.h>

#include "inventory/wowTasks.h"
#include "inventory/tests/boundFakes.h"
#include "support/boundOnFirstUse.h"
#include "support/basOSinfo.h"

namespace {

class WowTasks : public ::testing::Test {
protected:
    void SetUp() override { fakes::installVdm(); }
    void TearDown() override { fakes::removeAll(); }
};

TEST_F(WowTasks, TheLastTaskOtherThanWowexecNamesTheVdm) {
    fakes::vdms.push_back({7, {"C:\\WINNT\\system32\\WOWEXEC.EXE", "C:\\OLD\\OTHER.EXE"}});
    fakes::vdms.push_back({42,
                           {"C:\\WINNT\\system32\\WOWEXEC.EXE", "C:\\APPS\\FIRST.EXE",
                            "C:\\APPS\\SECOND.EXE"}});
    fakes::vdms.push_back({9,
                           {"C:\\APPS\\ONE.EXE", "C:\\APPS\\TWO.EXE",
                            "C:\\windows\\system32\\wowexec.exe"}});
    EXPECT_EQ(getWowTaskName(42), "C:\\APPS\\SECOND.EXE");
    EXPECT_EQ(getWowTaskName(7), "C:\\OLD\\OTHER.EXE");
    EXPECT_EQ(getWowTaskName(9), "C:\\APPS\\TWO.EXE");
}

// Two 16-bit programs in one virtual machine: the window's thread tells
// which of them owns it. The tasks' threads are 1000, 1001 and on.
TEST_F(WowTasks, TheTaskWhoseThreadOwnsTheWindowNamesTheVdm) {
    fakes::vdms.push_back({42, {"C:\\WINNT\\system32\\WOWEXEC.EXE", "C:\\APPS\\FIRST.EXE", "C:\\APPS\\SECOND.EXE"}});
    EXPECT_EQ(getWowTaskName(42, 1001), "C:\\APPS\\FIRST.EXE");
    EXPECT_EQ(getWowTaskName(42, 1002), "C:\\APPS\\SECOND.EXE");
    EXPECT_EQ(getWowTaskName(42, 1000), "C:\\APPS\\SECOND.EXE") << "WOWEXEC's own thread: the last task";
    EXPECT_EQ(getWowTaskName(42, 77), "C:\\APPS\\SECOND.EXE") << "no thread matches: the last task";
}

TEST_F(WowTasks, OnlyWowexecGivesEmptyText) {
    fakes::vdms.push_back({42, {"C:\\WINNT\\system32\\wowexec.exe"}});
    EXPECT_EQ(getWowTaskName(42), "");
}

TEST_F(WowTasks, AVdmNotReportedGivesEmptyText) {
    fakes::vdms.push_back({7, {"C:\\APPS\\FIRST.EXE"}});
    EXPECT_EQ(getWowTaskName(42), "");
}

TEST_F(WowTasks, ANullTaskNameGivesEmptyText) {
    fakes::vdms.push_back({42, {"C:\\APPS\\FIRST.EXE", nullptr}});
    EXPECT_EQ(getWowTaskName(42), "");
}

TEST_F(WowTasks, MissingVdmdbgGivesEmptyText) {
    fakes::vdms.push_back({42, {"C:\\APPS\\FIRST.EXE"}});
    bound::VDMEnumProcessWOW.replace(nullptr);
    EXPECT_EQ(getWowTaskName(42), "");
    bound::VDMEnumProcessWOW.forget();
    fakes::installVdm();
    bound::VDMEnumTaskWOWEx.replace(nullptr);
    EXPECT_EQ(getWowTaskName(42), "");
}

TEST_F(WowTasks, OnlyANameEndingInNtvdmExeIsResolved) {
    fakes::vdms.push_back({42, {"C:\\APPS\\TASK.EXE"}});
    EXPECT_EQ(resolveNtvdmName("C:\\WINNT\\system32\\NTVDM.EXE", 42), "C:\\APPS\\TASK.EXE");
    EXPECT_EQ(resolveNtvdmName("c:\\winnt\\system32\\ntvdm.exe", 42), "C:\\APPS\\TASK.EXE");
    EXPECT_EQ(resolveNtvdmName("ntvdm.exe", 42), "C:\\APPS\\TASK.EXE");
    EXPECT_EQ(resolveNtvdmName("C:\\OLD\\OldNTVDM.EXE", 42), "C:\\APPS\\TASK.EXE");
    EXPECT_EQ(resolveNtvdmName("C:\\NTVDM.EXE\\other.exe", 42), "C:\\NTVDM.EXE\\other.exe");
    EXPECT_EQ(resolveNtvdmName("C:\\x\\ntvdm.exe.bak", 42), "C:\\x\\ntvdm.exe.bak");
    EXPECT_EQ(resolveNtvdmName("", 42), "");
}

TEST(StrFromAnsiPtr, CopiesAtMost259Bytes) {
    const std::string longName(300, 'n');
    EXPECT_EQ(strFromAnsiPtr(longName.c_str()), std::string(259, 'n'));
    // Blanks in front of the NUL stay, as everywhere the buffer is trimmed.
    EXPECT_EQ(strFromAnsiPtr("  TASK.EXE "), "TASK.EXE ");
    EXPECT_EQ(strFromAnsiPtr(""), "");
    EXPECT_EQ(strFromAnsiPtr(nullptr), "");
}

// The VDM lookup lets the program's window run once, as the polling loop does.
LRESULT CALLBACK countingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_APP) {
        ++*reinterpret_cast<int*>(GetWindowLongPtrA(window, GWLP_USERDATA));
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

TEST_F(WowTasks, TheLookupProcessesPendingMessages) {
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = countingProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "TarnwickWowMessageTest";
    RegisterClassA(&windowClass);
    const HWND window = CreateWindowExA(0, windowClass.lpszClassName, "", 0, 0, 0, 10, 10, nullptr,
                                        nullptr, windowClass.hInstance, nullptr);
    ASSERT_NE(window, nullptr);
    int delivered = 0;
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&delivered));
    PostMessageA(window, WM_APP, 0, 0);
    PostMessageA(window, WM_APP, 0, 0);
    getWowTaskName(42);
    EXPECT_EQ(delivered, 2);
    DestroyWindow(window);
}

}  // namespace
