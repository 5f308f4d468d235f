// The executable field on the Windows 95 family. Wine reports Windows 98 to
// a program file of a name of our choosing (an AppDefaults setting in the
// registry), so a copy of the program under that name takes the ToolHelp
// path. Wine's ToolHelp gives bare file names, where the NT path gives full
// paths: the field tells the two apart.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "e2e/harness/environment.h"
#include "e2e/harness/expectedLine.h"
#include "e2e/harness/hostProcess.h"
#include "e2e/harness/messageBox.h"
#include "e2e/harness/program.h"
#include "e2e/harness/registryValue.h"
#include "e2e/harness/scratchFolder.h"
#include "e2e/harness/systemDll.h"
#include "e2e/harness/testWindow.h"
#include "e2e/harness/windowInFront.h"
#include "e2e/harness/windows98Copy.h"

namespace e2e {
namespace {

// A name no other test starts the program under, so that the setting cannot
// reach them even if it were left behind.
const char programName[] = "tarnwick-e2e-win98.exe";

class Windows98 : public ::testing::Test {
protected:
    Windows98()
        : copy_(programName),
          psapiOverride_(HKEY_CURRENT_USER, dllOverridesKey(programName), "psapi"),
          vdmdbgOverride_(HKEY_CURRENT_USER, dllOverridesKey(programName), "vdmdbg") {}

    void SetUp() override { ASSERT_TRUE(copy_.valid()) << "copy to " << copy_.path(); }

    void start() {
        LaunchOptions options;
        options.exePath = copy_.path();
        ASSERT_TRUE(program_.start(options)) << program_.failure();
    }

    void expectOurWindowShowsTheBareFileName() {
        WindowSpec plan;
        plan.caption = "Window on Windows 98";
        const LineAndExpected logged = lineForWindowInFront(program_, plan, fileNameOf(ownExePath()));
        EXPECT_EQ(logged.line, logged.expected);
    }

    // Members go in reverse order: the program ends before its folder and
    // the setting go.
    Windows98Copy copy_;
    ScopedRegistryValue psapiOverride_;
    ScopedRegistryValue vdmdbgOverride_;
    Program program_;
};

TEST_F(Windows98, OwnWindowShowsTheProgramsBareFileName) {
    start();
    std::vector<std::string> seen;
    ASSERT_TRUE(program_.waitForLines(
        [](const std::vector<std::string>& lines) { return !lines.empty(); }, seen));
    const std::string field = std::string("  exe='") + programName + "'  pid=";
    EXPECT_NE(seen.front().find(field), std::string::npos)
        << "the first line is the program's own window; log:\n" << listing(seen);
}

TEST_F(Windows98, WindowOfTheTestShowsTheBareFileNameOfTheTestProgram) {
    start();
    expectOurWindowShowsTheBareFileName();
}

// PSAPI plays no part on the 95 family: with PSAPI.DLL unloadable, there is
// no prompt and the field is still filled.
TEST_F(Windows98, WithoutPsapiTheFieldIsFilledAndNothingAsks) {
    ASSERT_TRUE(psapiOverride_.set(""));
    start();
    expectOurWindowShowsTheBareFileName();
    EXPECT_TRUE(dialogsOf(program_.pid()).empty()) << "the program shows a dialog";
}

// The ToolHelp path names the 16-bit task of an NTVDM process as well.
TEST_F(Windows98, NtvdmProcessShowsItsLastTask) {
    ScopedSystemDll vdmdbg(standinsFolder() + "\\VDMDBG.dll", "VDMDBG.dll");
    ASSERT_TRUE(vdmdbg.valid()) << vdmdbg.path();
    ASSERT_TRUE(vdmdbgOverride_.set("native"));
    start();
    HostProcess ntvdm;
    ASSERT_TRUE(ntvdm.start(standinsFolder() + "\\ntvdm.exe", "16-bit host on Windows 98"))
        << ntvdm.failure();
    ASSERT_TRUE(bringToFront(ntvdm.window()));
    EXPECT_EQ(program_.lineOf(ntvdm.pid(), ntvdm.caption()),
              expectedLine(ntvdm.windowFacts("C:\\OLDAPPS\\LAST16.EXE")));
}

}  // namespace
}  // namespace e2e
