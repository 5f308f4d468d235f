// The executable field for a process whose file is named ntvdm.exe, a
// virtual DOS machine: the program names the 16-bit Windows task it hosts,
// through VDMDBG.dll. Wine runs no 16-bit tasks, so a stand-in process named
// ntvdm.exe and a stand-in VDMDBG.dll in the system folder (loaded in place
// of Wine's own by a native override) report WOWEXEC.EXE and two tasks for
// it. With Wine's own VDMDBG (a builtin override), or none (disabled), the
// field is empty text and the program carries on. Libraries placed beside
// the program are never loaded.
//
// The VDM lookup lets the program's window run once; a close request that
// arrives there ends the program cleanly, without the line.
//
// Which task of a machine is named, and which file names count as a virtual
// DOS machine, are the unit tests' (inventory/tests/wowTasks_test.cpp).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "e2e/harness/environment.h"
#include "e2e/harness/expectedLine.h"
#include "e2e/harness/hostProcess.h"
#include "e2e/harness/program.h"
#include "e2e/harness/relayTrace.h"
#include "e2e/harness/registryValue.h"
#include "e2e/harness/scratchFolder.h"
#include "e2e/harness/systemDll.h"
#include "e2e/harness/testWindow.h"
#include "e2e/harness/windowInFront.h"

namespace e2e {
namespace {

const char lastTask[] = "C:\\OLDAPPS\\LAST16.EXE";

// The program's file name here; Wine's settings for it are the test's own.
const char programName[] = "tarnwick-e2e-vdm.exe";

class VdmTasks : public ::testing::Test {
protected:
    VdmTasks()
        : folder_("vdm"),
          systemVdmdbg_(standinsFolder() + "\\VDMDBG.dll", "VDMDBG.dll"),
          vdmdbgOverride_(HKEY_CURRENT_USER, dllOverridesKey(programName), "vdmdbg"),
          winmmOverride_(HKEY_CURRENT_USER, dllOverridesKey(programName), "winmm") {}

    // A copy of the program in a folder of its own; the stand-in VDMDBG.dll
    // in the system folder.
    void SetUp() override {
        ASSERT_TRUE(folder_.valid());
        ASSERT_TRUE(systemVdmdbg_.valid()) << systemVdmdbg_.path();
        ASSERT_TRUE(copyFile(programPath(), folder_.at(programName)));
    }

    // `vdmdbg`: which VDMDBG.dll may load, "native" (the stand-in), "builtin"
    // (Wine's own) or "" (none).
    void start(const std::string& vdmdbg, LaunchOptions options = {}) {
        ASSERT_TRUE(vdmdbgOverride_.set(vdmdbg));
        options.exePath = folder_.at(programName);
        ASSERT_TRUE(program_.start(options)) << program_.failure();
    }

    int vdmdbgCalls() {
        const std::vector<std::string> trace = program_.trace();
        return countCalls(trace, "vdmdbg.VDMEnumProcessWOW") +
               countCalls(trace, "vdmdbg.VDMEnumTaskWOWEx");
    }

    // Starts a stand-in process (`file` in the stand-ins' folder) and
    // brings its window to the front.
    void startHost(HostProcess& host, const std::string& file, const std::string& caption) {
        ASSERT_TRUE(host.start(standinsFolder() + "\\" + file, caption)) << host.failure();
        ASSERT_TRUE(bringToFront(host.window()));
    }

    void expectHostLine(const HostProcess& host, const std::string& exe) {
        EXPECT_EQ(program_.lineOf(host.pid(), host.caption()), expectedLine(host.windowFacts(exe)));
    }

    // The program still logs: a window of ours gets its line, with our path.
    void expectProgramStillLogs() {
        WindowSpec plan;
        plan.caption = "After the 16-bit host";
        const LineAndExpected logged = lineForWindowInFront(program_, plan, ownExePath());
        EXPECT_EQ(logged.line, logged.expected);
    }

    // Members go in reverse order: the program ends before its folder and
    // the setting go.
    ScratchFolder folder_;
    ScopedSystemDll systemVdmdbg_;
    ScopedRegistryValue vdmdbgOverride_;
    ScopedRegistryValue winmmOverride_;
    Program program_;
};

// A winmm.dll and a VDMDBG.dll put beside the program, even with Wine told
// to prefer such copies, are not loaded: both come from the system folder.
TEST_F(VdmTasks, LibrariesPlacedBesideTheProgramAreNotLoaded) {
    ASSERT_TRUE(copyFile(standinsFolder() + "\\VDMDBG.dll", folder_.at("VDMDBG.dll")));
    ASSERT_TRUE(copyFile(standinsFolder() + "\\winmm.dll", folder_.at("winmm.dll")));
    ASSERT_TRUE(winmmOverride_.set("native,builtin"));
    start("native,builtin");
    HostProcess ntvdm;
    startHost(ntvdm, "ntvdm.exe", "Virtual DOS machine, planted libraries");
    expectHostLine(ntvdm, lastTask);
    EXPECT_FALSE(fileExists(folder_.at("VDMDBG.dll.loaded"))) << "the planted VDMDBG.dll was loaded";
    EXPECT_FALSE(fileExists(folder_.at("winmm.dll.loaded"))) << "the planted winmm.dll was loaded";
    EXPECT_TRUE(fileExists(systemVdmdbg_.path() + ".loaded"));
}

TEST_F(VdmTasks, StandInVdmdbgNamesTheLastTaskThatIsNotWowexec) {
    start("native");
    HostProcess ntvdm;
    startHost(ntvdm, "ntvdm.exe", "Virtual DOS machine");
    expectHostLine(ntvdm, lastTask);
    expectProgramStillLogs();
}

// Wine's own VDMDBG reports no virtual DOS machine: it is asked, and the
// field stays empty.
TEST_F(VdmTasks, WinesOwnVdmdbgGivesEmptyText) {
    LaunchOptions options;
    options.traceCalls = true;
    options.moreTracedFunctions = "vdmdbg.VDMEnumProcessWOW;vdmdbg.VDMEnumTaskWOWEx";
    start("builtin", options);
    HostProcess ntvdm;
    startHost(ntvdm, "ntvdm.exe", "Virtual DOS machine, Wine's VDMDBG");
    expectHostLine(ntvdm, "");
    EXPECT_GE(vdmdbgCalls(), 1) << "Wine's VDMDBG was not asked";
    expectProgramStillLogs();
}

// With VDMDBG.dll missing, nothing can be asked; the field is empty and the
// program goes on logging.
TEST_F(VdmTasks, WithoutVdmdbgTheFieldIsEmptyAndTheProgramCarriesOn) {
    LaunchOptions options;
    options.traceCalls = true;
    options.moreTracedFunctions = "vdmdbg.VDMEnumProcessWOW;vdmdbg.VDMEnumTaskWOWEx";
    start("", options);
    HostProcess ntvdm;
    startHost(ntvdm, "ntvdm.exe", "Virtual DOS machine, no VDMDBG");
    expectHostLine(ntvdm, "");
    expectProgramStillLogs();
    // And once more, now that the library is known to be missing.
    HostProcess again;
    startHost(again, "ntvdm.exe", "Second virtual DOS machine, no VDMDBG");
    expectHostLine(again, "");
    EXPECT_FALSE(program_.hasExited());
    EXPECT_EQ(vdmdbgCalls(), 0) << "a VDMDBG was loaded after all";
}

// The stand-in VDMDBG posts WM_CLOSE to the program's window from inside the
// enumeration when TARNWICK_CLOSE_DURING_LOOKUP=1. The request is handled in
// the lookup's own message step: the window goes, the line of the 16-bit
// host is dropped, and the program ends with the timer resolution restored
// once.
TEST_F(VdmTasks, CloseRequestDuringTheLookupEndsTheProgramWithoutTheLine) {
    LaunchOptions options;
    options.traceCalls = true;
    options.moreTracedFunctions = "user32.PostMessageA";
    options.environment.push_back("TARNWICK_CLOSE_DURING_LOOKUP=1");
    start("native", options);
    const HWND programWindow = program_.window();
    const HWND list = program_.list();

    HostProcess ntvdm;
    startHost(ntvdm, "ntvdm.exe", "Virtual DOS machine, closing");
    ASSERT_TRUE(program_.waitForExit()) << "the program is still running";
    EXPECT_EQ(program_.exitCode(), 0u);

    const std::vector<std::string> trace = program_.trace();
    EXPECT_EQ(countCalls(trace, "winmm.timeBeginPeriod", "00000001"), 1);
    EXPECT_EQ(countCalls(trace, "winmm.timeBeginPeriod"), 1);
    EXPECT_EQ(countCalls(trace, "winmm.timeEndPeriod", "00000001"), 1);
    EXPECT_EQ(countCalls(trace, "winmm.timeEndPeriod"), 1);

    // The stand-in's request, made on the program's thread during the lookup.
    int posted = -1;
    for (const TracedCall& call : callsOf(trace, "user32.PostMessageA")) {
        if (posted < 0 && call.arguments.size() == 4 &&
            call.arguments[0] == tracedHandle(programWindow) && call.arguments[1] == "00000010") {
            posted = call.index;
        }
    }
    ASSERT_GE(posted, 0) << "the close request is not in the trace";
    const int closed = findMessage(trace, programWindow, "WM_CLOSE", posted);
    ASSERT_GT(closed, posted) << "the program's window did not get WM_CLOSE";
    EXPECT_GT(findCall(trace, "winmm.timeEndPeriod", closed), closed);
    // Lines were added before the request, for earlier windows, but none
    // after it: the line of the 16-bit host is dropped.
    EXPECT_GE(findMessage(trace, list, "LB_ADDSTRING"), 0);
    EXPECT_LT(findMessage(trace, list, "LB_ADDSTRING", posted), 0)
        << "a line was added after the close request";
}

}  // namespace
}  // namespace e2e
