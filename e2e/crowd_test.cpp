// A busy machine: with 250 processes started before it, the program that
// started last (the likeliest thief) still gets its executable in the line,
// as a full path on the NT family and as Wine's bare file name when Wine
// reports Windows 98.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "e2e/harness/environment.h"
#include "e2e/harness/expectedLine.h"
#include "e2e/harness/hostProcess.h"
#include "e2e/harness/program.h"
#include "e2e/harness/testWindow.h"
#include "e2e/harness/windows98Copy.h"

namespace e2e {
namespace {

const char win98ProgramName[] = "tarnwick-e2e-crowd98.exe";

class Crowd : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        crowd_ = new ProcessCrowd(hostExe());
        crowd_->add(250);
    }
    static void TearDownTestSuite() {
        delete crowd_;
        crowd_ = nullptr;
    }

    static std::string hostExe() { return standinsFolder() + "\\windowHost.exe"; }

    // Starts the newest process, brings its window to the front and
    // expects the program's line about it with `exe` in the field.
    void expectNewestShows(Program& program, const std::string& exe) {
        ASSERT_EQ(crowd_->size(), 250) << "the crowd did not start";
        HostProcess newest;
        ASSERT_TRUE(newest.start(hostExe(), "Newest of 251")) << newest.failure();
        ASSERT_TRUE(bringToFront(newest.window()));
        std::vector<std::string> seen;
        const std::string line = program.waitForLineOf(newest.pid(), newest.caption(), seen);
        EXPECT_EQ(line, expectedLine(newest.windowFacts(exe))) << listing(seen);
    }

    static ProcessCrowd* crowd_;
};

ProcessCrowd* Crowd::crowd_ = nullptr;

TEST_F(Crowd, TheNewestProgramShowsItsFullPathOnTheNtFamily) {
    Program program;
    ASSERT_TRUE(program.start()) << program.failure();
    expectNewestShows(program, hostExe());
}

TEST_F(Crowd, TheNewestProgramShowsItsFileNameOnWindows98) {
    Windows98Copy copy(win98ProgramName);
    ASSERT_TRUE(copy.valid());
    Program program;
    LaunchOptions options;
    options.exePath = copy.path();
    ASSERT_TRUE(program.start(options)) << program.failure();
    expectNewestShows(program, "windowHost.exe");
}

}  // namespace
}  // namespace e2e
