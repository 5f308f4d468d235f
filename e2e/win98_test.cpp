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

namespace e2e {
namespace {

// A name no other test starts the program under, so that the setting cannot
// reach them even if it were left behind.
const char programName[] = "tarnwick-e2e-win98.exe";

class Windows98 : public ::testing::Test {
protected:
    Windows98()
        : folder_("win98"),
          version_(HKEY_CURRENT_USER, appDefaultsKey(programName), "Version"),
          psapiOverride_(HKEY_CURRENT_USER, dllOverridesKey(programName), "psapi"),
          vdmdbgOverride_(HKEY_CURRENT_USER, dllOverridesKey(programName), "vdmdbg") {}

    void SetUp() override {
        ASSERT_TRUE(folder_.valid());
        ASSERT_TRUE(copyFile(programPath(), programCopy())) << "copy to " << programCopy();
        ASSERT_TRUE(version_.set("win98"));
    }

    std::string programCopy() const { return folder_.at(programName); }

    void start() {
        LaunchOptions options;
        options.exePath = programCopy();
        ASSERT_TRUE(program_.start(options)) << program_.failure();
    }

    // Waits for the line of process `pid` whose title is `title`.
    std::string lineOf(DWORD pid, const std::string& title) {
        std::vector<std::string> seen;
        const std::string line = program_.waitForLineOf(pid, title, seen);
        if (line.empty()) {
            ADD_FAILURE() << "no line for '" << title << "'; log:\n" << listing(seen);
        }
        return line;
    }

    void expectOurWindowShowsTheBareFileName() {
        WindowSpec plan;
        plan.caption = "Window on Windows 98";
        TestWindow window(plan);
        ASSERT_TRUE(window.valid());
        ASSERT_TRUE(bringToFront(window.handle()));
        WindowFacts facts =
            ordinaryWindowFacts(plan.caption, plan.className, window.rect(), window.style());
        facts.exe = fileNameOf(ownExePath());
        EXPECT_EQ(lineOf(GetCurrentProcessId(), plan.caption), expectedLine(facts));
    }

    // Members go in reverse order: the program ends before its folder and
    // the setting go.
    ScratchFolder folder_;
    ScopedRegistryValue version_;
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
    EXPECT_EQ(lineOf(ntvdm.pid(), ntvdm.caption()),
              expectedLine(ntvdm.windowFacts("C:\\OLDAPPS\\LAST16.EXE")));
}

}  // namespace
}  // namespace e2e
