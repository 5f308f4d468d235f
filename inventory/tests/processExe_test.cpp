#include <gtest/gtest.h>

#include "inventory/processExe.h"
#include "inventory/tests/boundFakes.h"
#include "support/basOSinfo.h"
#include "support/boundOnFirstUse.h"

namespace {

class ProcessExe : public ::testing::Test {
protected:
    void SetUp() override { saved_ = OSInfo; }
    void TearDown() override {
        fakes::removeAll();
        OSInfo = saved_;
    }

private:
    OSInfoRecord saved_;
};

// On the NT family the process is opened once, with the first access it
// grants of 0x410, 0x1000 and 0x400; the image name that Vista and later
// give names the executable, else the first module where the handle may
// read.
struct FallbackCase {
    const char* name;
    bool opensForModules;
    bool listsModules;
    bool namesModule;
    bool opensLimited;
    bool opensQuery;
    bool imageNameExists;
    bool named;
    std::vector<DWORD> accessAsked;
    int imageNameCalls;
};

TEST_F(ProcessExe, NtFamilyTakesTheImageNameThenTheFirstModule) {
    const std::string path = "C:\\Program Files\\App\\app.exe";
    const std::vector<FallbackCase> cases = {
        {"image name", true, true, true, true, true, true, true, {0x410}, 1},
        {"read refused", false, true, true, true, true, true, true, {0x410, 0x1000}, 1},
        {"before Vista", true, true, true, false, true, false, true, {0x410}, 0},
        {"before Vista, read refused", false, true, true, false, true, false, false, {0x410, 0x1000, 0x400}, 0},
        {"before Vista, partial copy", true, false, true, false, true, false, false, {0x410}, 0},
        {"before Vista, module unnamed", true, true, false, false, true, false, false, {0x410}, 0},
        {"refused every way", false, true, true, false, false, true, false, {0x410, 0x1000, 0x400}, 0},
    };
    OSInfo.isNT = true;
    for (const FallbackCase& c : cases) {
        SCOPED_TRACE(c.name);
        fakes::removeAll();
        fakes::installPsapi(c.imageNameExists);
        fakes::processes.push_back({12, "C:\\other.exe"});
        fakes::processes.push_back(
            {300, path, c.opensForModules, c.listsModules, c.namesModule, c.opensLimited, c.opensQuery});
        EXPECT_EQ(exeOfProcess(300), c.named ? path : "");
        EXPECT_EQ(fakes::openAccess, c.accessAsked);
        EXPECT_EQ(fakes::imageNameCalls, c.imageNameCalls);
        EXPECT_EQ(fakes::handlesClosed, fakes::handlesOpened);
    }
}

TEST_F(ProcessExe, NinetyFiveFamilyFindsTheProcessAnywhereInTheSnapshot) {
    OSInfo.isNT = false;
    fakes::installToolHelp();
    for (DWORD i = 0; i < 250; ++i) {
        fakes::processes.push_back({0xFFF00000u + i * 4, "PROGRAM" + std::to_string(i) + ".EXE"});
    }
    fakes::processes.push_back({77, "  EXPLORER.EXE  "});
    fakes::processes[3].parent = 77;  // started by a process further on
    EXPECT_EQ(processInSnapshot(0xFFF00000u + 3 * 4).parentExe, "EXPLORER.EXE  ");
    EXPECT_EQ(exeOfProcess(0xFFF00000u + 249 * 4), "PROGRAM249.EXE");
    EXPECT_EQ(exeOfProcess(77), "EXPLORER.EXE  ");  // leading blanks go, as in the line
    EXPECT_EQ(exeOfProcess(78), "");
    EXPECT_EQ(fakes::handlesClosed, 4);
    bound::CreateToolhelp32Snapshot.replace([](DWORD, DWORD) { return INVALID_HANDLE_VALUE; });
    EXPECT_EQ(exeOfProcess(77), "");
    EXPECT_EQ(fakes::handlesClosed, 4);
}

TEST_F(ProcessExe, AnNtvdmProcessIsNamedByItsTask) {
    fakes::installVdm();
    fakes::vdms.push_back({42, {"C:\\WINDOWS\\SYSTEM\\WOWEXEC.EXE", "C:\\APPS\\TASK16.EXE"}});
    OSInfo.isNT = false;
    fakes::installToolHelp();
    fakes::processes.push_back({42, "NTVDM.EXE"});
    EXPECT_EQ(exeOfProcess(42), "C:\\APPS\\TASK16.EXE");
    OSInfo.isNT = true;
    fakes::installPsapi(true);
    fakes::processes[0].exe = "C:\\WINNT\\system32\\ntvdm.exe";
    EXPECT_EQ(exeOfProcess(42), "C:\\APPS\\TASK16.EXE");
}

}  // namespace
