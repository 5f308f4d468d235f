// PSAPI.DLL missing on the NT family, as on a fresh Windows NT 4.0: the
// program copies it into its own folder once per run, silently from the
// installation source the registry records (SourcePath), and asks the user
// only when that fails. Wine makes the library missing with a DLL override
// for the program's file name, "native" only: the load then fails unless a
// PSAPI.DLL lies in the program's folder. The tests' own PSAPI.DLL, which
// forwards to the system's functions, plays the file on the CD.
//
// Each test runs a copy of the program in a folder of its own, finds its
// message boxes, reads them and answers them. Wine's relay trace of the
// program shows the style of each box and the paths handed to the copy.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "e2e/harness/environment.h"
#include "e2e/harness/expectedLine.h"
#include "e2e/harness/messageBox.h"
#include "e2e/harness/program.h"
#include "e2e/harness/relayTrace.h"
#include "e2e/harness/registryValue.h"
#include "e2e/harness/scratchFolder.h"
#include "e2e/harness/testWindow.h"
#include "e2e/harness/windowInFront.h"

namespace e2e {
namespace {

const char boxCaption[] = "Tarnwick";
const char installPrompt[] =
    "PSAPI.DLL not found! Please instert the Windows NT4 Installation CD or an\r\n"
    "original Service Pack CD into the drive you installed Windows NT from!\r\n"
    "Copy the file now?";
const char copyFailedNotice[] = "File not found. pc";
const char manualCopyNotice[] =
    "Please copy PSAPI.DLL manually to Vexa's folder from the NT4 CD's folder "
    "\\SUPPORT\\DEBUG\\I386\\PSAPI.DLL";
const char pathOnTheCd[] = "\\SUPPORT\\DEBUG\\I386\\PSAPI.DLL";

const char currentVersionKey[] = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion";

// The program's file name here; Wine's settings for it are the test's own.
const char programName[] = "tarnwick-e2e-psapi.exe";

struct BoxSeen {
    HWND box = nullptr;
    MessageBoxView view;
};

class PsapiProvisioning : public ::testing::Test {
protected:
    PsapiProvisioning()
        : base_("psapi"),
          sourcePath_(HKEY_LOCAL_MACHINE, currentVersionKey, "SourcePath", programRegistryView()),
          psapiOverride_(HKEY_CURRENT_USER, dllOverridesKey(programName), "psapi") {}

    // The installation source is <base>\cd\, so the file is expected at
    // <base>\cd\..\SUPPORT\DEBUG\I386\PSAPI.DLL, that is in
    // <base>\SUPPORT\DEBUG\I386. The program is <base>\app\<programName>.
    void SetUp() override {
        ASSERT_TRUE(base_.valid());
        ASSERT_TRUE(makeFolders(base_.at("cd")));
        ASSERT_TRUE(makeFolders(base_.at("SUPPORT\\DEBUG\\I386")));
        ASSERT_TRUE(makeFolders(base_.at("app")));
        ASSERT_TRUE(fileExists(standInPsapi())) << standInPsapi();
        ASSERT_TRUE(sourcePath_.set(installationSource()));
        ASSERT_TRUE(psapiOverride_.set("native"));
        programFile_ = base_.at(std::string("app\\") + programName);
        ASSERT_TRUE(copyFile(programPath(), programFile_));
    }

    static std::string standInPsapi() { return standinsFolder() + "\\PSAPI.DLL"; }
    std::string installationSource() const { return base_.at("cd\\"); }
    std::string fileOnTheCd() const { return base_.at("SUPPORT\\DEBUG\\I386\\PSAPI.DLL"); }
    std::string programFolder() const { return folderOf(programFile_); }
    std::string copyInProgramFolder() const { return programFolder() + "\\PSAPI.DLL"; }

    void putFileOnTheCd() { ASSERT_TRUE(copyFile(standInPsapi(), fileOnTheCd())); }

    // A PSAPI.DLL where a source path relative to <base>\current\folder
    // would find it.
    void plantInCurrentFolder() {
        ASSERT_TRUE(makeFolders(base_.at("current\\SUPPORT\\DEBUG\\I386")));
        ASSERT_TRUE(makeFolders(base_.at("current\\folder")));
        ASSERT_TRUE(copyFile(standInPsapi(), base_.at("current\\SUPPORT\\DEBUG\\I386\\PSAPI.DLL")));
    }

    // Starts the program with PSAPI.DLL to be found only in its folder. With
    // `expectBox`, the first pass stops in a message box, so there is no
    // first line to wait for.
    void start(bool expectBox, const std::string& currentDirectory = std::string()) {
        LaunchOptions options;
        options.exePath = programFile_;
        options.currentDirectory = currentDirectory;
        options.traceCalls = true;
        options.moreTracedFunctions = "user32.MessageBoxA;kernel32.CopyFileW;kernelbase.CopyFileW";
        options.waitForFirstLine = !expectBox;
        ASSERT_TRUE(program_.start(options)) << program_.failure();
    }

    // Waits for the program's message box and reads it.
    void waitForBox(BoxSeen& seen) {
        seen.box = waitForMessageBox(program_.pid(), boxCaption);
        ASSERT_NE(seen.box, nullptr) << "no message box came; log:\n" << listing(program_.lines());
        ASSERT_TRUE(readMessageBox(seen.box, seen.view));
        EXPECT_EQ(seen.view.caption, boxCaption);
        EXPECT_EQ(seen.view.owner, program_.window()) << "the box is not owned by the main window";
    }

    void expectInstallPrompt(const BoxSeen& seen) {
        EXPECT_EQ(seen.view.text, installPrompt);
        EXPECT_EQ(seen.view.buttons, (std::vector<int>{IDYES, IDNO}))
            << buttonNames(seen.view.buttons);
        EXPECT_TRUE(seen.view.hasIcon);
    }

    void expectNotice(const BoxSeen& seen, const std::string& text) {
        EXPECT_EQ(seen.view.text, text);
        EXPECT_EQ(seen.view.buttons, (std::vector<int>{IDOK, IDCANCEL}))
            << buttonNames(seen.view.buttons);
        EXPECT_FALSE(seen.view.hasIcon);
    }

    void press(const BoxSeen& seen, int button) {
        ASSERT_TRUE(pressMessageBoxButton(seen.box, button)) << buttonNames({button});
        ASSERT_TRUE(waitUntil([&] { return !IsWindow(seen.box); })) << "the box stays open";
    }

    // The install prompt comes, `answer` goes to it; then the notice with
    // `text` comes and is answered with `button`.
    void answerPromptThenNotice(int answer, const std::string& text, int button) {
        BoxSeen prompt;
        waitForBox(prompt);
        expectInstallPrompt(prompt);
        press(prompt, answer);
        BoxSeen notice;
        waitForBox(notice);
        expectNotice(notice, text);
        press(notice, button);
    }

    // While a box is open the first pass waits in it: nothing is logged.
    void expectNothingLoggedYet() {
        EXPECT_TRUE(program_.lines().empty()) << listing(program_.lines());
    }

    // The first line: the program's own window, which is in front when the
    // first pass runs, with `exe` as its executable.
    void expectOwnWindowLine(const std::string& exe) {
        const HWND window = program_.window();
        WindowFacts facts;
        facts.title = "Velquist";
        facts.className = "TarnwickForm1";
        facts.visible = true;
        GetWindowRect(window, &facts.rect);
        facts.exe = exe;
        facts.pid = program_.pid();
        facts.style = static_cast<DWORD>(GetWindowLongA(window, GWL_STYLE));
        EXPECT_EQ(program_.lineOf(program_.pid(), facts.title), expectedLine(facts));
    }

    // Windows of ours come to the front one after another; each gets its
    // line with `exe`, so no box stopped a pass.
    void expectWindowsOfOursShow(const std::string& exe, int count = 3) {
        for (int n = 0; n < count; ++n) {
            const int i = ++windowsShown_;
            WindowSpec plan;
            plan.caption = "Window " + std::to_string(i) + " after the provisioning";
            plan.rect = {150 + 20 * i, 120 + 20 * i, 450 + 20 * i, 320 + 20 * i};
            const LineAndExpected logged = lineForWindowInFront(program_, plan, exe);
            EXPECT_EQ(logged.line, logged.expected);
        }
    }

    // The boxes the program showed over its run, in order, as the relay
    // trace has the calls: owner, and style.
    std::vector<std::string> boxCalls() {
        std::vector<std::string> calls;
        for (const TracedCall& call : callsOf(program_.trace(), "user32.MessageBoxA")) {
            calls.push_back("owner=" + call.arguments.front() + " style=" + call.arguments.back());
        }
        return calls;
    }

    std::string boxCall(const std::string& style) const {
        return "owner=" + tracedHandle(program_.window()) + " style=" + style;
    }

    // The copies the program made over its run, as "source -> destination"
    // in the relay trace's quoting.
    std::vector<std::string> copyCalls() {
        std::vector<std::string> calls;
        for (const TracedCall& call : callsOf(program_.trace(), "CopyFileW")) {
            calls.push_back(call.arguments.size() == 3
                                ? quotedPart(call.arguments[0]) + " -> " + quotedPart(call.arguments[1])
                                : call.argumentText);
        }
        return calls;
    }

    std::string expectedCopy(const std::string& source, const std::string& destination) const {
        return tracedString(source) + " -> " + tracedString(destination);
    }

    // With the file on the CD, the program copies it from `source` into its
    // folder without a box and finds executables from the first pass on.
    void expectSilentCopyFrom(const std::string& source) {
        putFileOnTheCd();
        start(false);
        expectOwnWindowLine(programFile_);
        EXPECT_TRUE(sameContents(copyInProgramFolder(), standInPsapi()));
        expectWindowsOfOursShow(ownExePath(), 1);

        EXPECT_TRUE(boxCalls().empty());
        EXPECT_TRUE(dialogsOf(program_.pid()).empty());
        EXPECT_EQ(copyCalls(),
                  (std::vector<std::string>{expectedCopy(source, copyInProgramFolder())}));
    }

    // Members go in reverse order: the program ends before its folder and
    // the registry value go.
    ScratchFolder base_;
    ScopedRegistryValue sourcePath_;
    ScopedRegistryValue psapiOverride_;
    std::string programFile_;
    int windowsShown_ = 0;
    Program program_;
};

TEST_F(PsapiProvisioning, SilentCopyFromTheInstallationSourceAsksNothing) {
    // The registry text ends in a backslash: "..", then the path on the CD.
    expectSilentCopyFrom(installationSource() + ".." + pathOnTheCd);
}

// SourcePath as Windows NT 4.0 records it, without a trailing backslash: one
// goes in before "..".
// A PSAPI.DLL left beside the program, with Wine told to prefer such a copy
// as Windows 2000 and XP would, is not loaded while the system has its own.
TEST_F(PsapiProvisioning, ACopyBesideTheProgramIsNotLoadedWhileTheSystemHasItsOwn) {
    ASSERT_TRUE(psapiOverride_.set("native,builtin"));
    ASSERT_TRUE(copyFile(standInPsapi(), copyInProgramFolder()));
    start(false);
    expectOwnWindowLine(programFile_);
    expectWindowsOfOursShow(ownExePath(), 1);
    EXPECT_FALSE(fileExists(copyInProgramFolder() + ".loaded")) << "the PSAPI.DLL beside the program was loaded";
    EXPECT_TRUE(boxCalls().empty());
}

TEST_F(PsapiProvisioning, SourcePathWithoutATrailingBackslashGetsOne) {
    const std::string source = base_.at("cd");
    ASSERT_TRUE(sourcePath_.set(source));
    expectSilentCopyFrom(source + "\\.." + pathOnTheCd);
}

// Without the file on the CD the program asks. Whatever reaches its folder
// before the last box closes counts, but each answer still brings its box:
// after No the manual-copy notice, after Yes a failed copy's notice. After a
// failed sequence every lookup tries the load again, silently: a file that
// arrives later is picked up without a restart, and no box comes.
enum class FileArrives {
    onTheCdWhileThePromptIsOpen,  // the CD goes in; Yes copies from it
    byHandWhileThePromptIsOpen,   // into the program's folder
    byHandWhileTheNoticeIsOpen,
    byHandLater,  // on the CD too, too late for the program to copy it
};

struct AnswerRow {
    const char* name;
    int answer;          // to the install prompt
    FileArrives file;
    const char* notice;  // the box that follows the answer, or none
    int noticeButton;
    int copies;          // copies tried over the run: the silent one, and one after Yes
};

const AnswerRow answerRows[] = {
    {"YesWithTheFileOnTheCd", IDYES, FileArrives::onTheCdWhileThePromptIsOpen, nullptr, 0, 2},
    {"YesWithoutTheFile", IDYES, FileArrives::byHandLater, copyFailedNotice, IDOK, 2},
    {"YesWithTheFileCopiedByHandDuringFileNotFound", IDYES, FileArrives::byHandWhileTheNoticeIsOpen,
     copyFailedNotice, IDCANCEL, 2},
    {"No", IDNO, FileArrives::byHandLater, manualCopyNotice, IDCANCEL, 1},
    {"NoWithTheFileCopiedByHandDuringThePrompt", IDNO, FileArrives::byHandWhileThePromptIsOpen, manualCopyNotice,
     IDCANCEL, 1},
    {"NoWithTheFileCopiedByHandDuringTheNotice", IDNO, FileArrives::byHandWhileTheNoticeIsOpen, manualCopyNotice,
     IDOK, 1},
};

class PsapiAnswers : public PsapiProvisioning, public ::testing::WithParamInterface<AnswerRow> {
protected:
    void fileArrives(FileArrives when) {
        if (GetParam().file != when) {
            return;
        }
        if (when == FileArrives::onTheCdWhileThePromptIsOpen || when == FileArrives::byHandLater) {
            putFileOnTheCd();
        }
        if (when != FileArrives::onTheCdWhileThePromptIsOpen) {
            ASSERT_TRUE(copyFile(standInPsapi(), copyInProgramFolder()));
        }
    }
};

TEST_P(PsapiAnswers, TheAnswerTheFileAndTheBoxesDecideTheExecutableField) {
    const AnswerRow& row = GetParam();
    start(true);
    BoxSeen prompt;
    waitForBox(prompt);
    expectInstallPrompt(prompt);
    expectNothingLoggedYet();
    fileArrives(FileArrives::onTheCdWhileThePromptIsOpen);
    fileArrives(FileArrives::byHandWhileThePromptIsOpen);
    press(prompt, row.answer);

    std::vector<std::string> boxes = {boxCall("00000034")};
    if (row.notice != nullptr) {
        BoxSeen notice;
        waitForBox(notice);
        expectNotice(notice, row.notice);
        expectNothingLoggedYet();
        fileArrives(FileArrives::byHandWhileTheNoticeIsOpen);
        press(notice, row.noticeButton);
        boxes.push_back(boxCall("00000001"));
    }

    const bool found = row.file != FileArrives::byHandLater;
    expectOwnWindowLine(found ? programFile_ : "");
    if (found) {
        EXPECT_TRUE(sameContents(copyInProgramFolder(), standInPsapi()));
    } else {
        EXPECT_FALSE(fileExists(copyInProgramFolder()));
    }
    expectWindowsOfOursShow(found ? ownExePath() : "", 1);
    if (row.file == FileArrives::byHandLater) {
        fileArrives(FileArrives::byHandLater);
        expectWindowsOfOursShow(ownExePath(), 2);
    }

    EXPECT_EQ(boxCalls(), boxes);
    EXPECT_TRUE(dialogsOf(program_.pid()).empty());
    EXPECT_EQ(copyCalls().size(), static_cast<std::size_t>(row.copies));
}

INSTANTIATE_TEST_SUITE_P(Rows, PsapiAnswers, ::testing::ValuesIn(answerRows),
                         [](const ::testing::TestParamInfo<AnswerRow>& info) { return info.param.name; });

// Without SourcePath the source would be the fixed part alone, a path
// relative to the program's current folder, which anyone may have filled: a
// PSAPI.DLL put there is not copied, neither silently nor after Yes.
TEST_F(PsapiProvisioning, WithoutSourcePathNothingIsCopiedFromTheCurrentFolder) {
    ASSERT_TRUE(sourcePath_.remove());
    plantInCurrentFolder();
    start(true, base_.at("current\\folder"));
    answerPromptThenNotice(IDYES, copyFailedNotice, IDOK);
    expectOwnWindowLine("");
    EXPECT_FALSE(fileExists(copyInProgramFolder()));
    EXPECT_TRUE(copyCalls().empty());
}

// A SourcePath too long for the program's buffer counts as none.
TEST_F(PsapiProvisioning, SourcePathTooLongCountsAsNone) {
    std::string longSource = base_.at("cd\\");
    while (longSource.size() < 300) {
        longSource += "longer\\";
    }
    ASSERT_TRUE(sourcePath_.set(longSource));
    plantInCurrentFolder();
    start(true, base_.at("current\\folder"));
    answerPromptThenNotice(IDNO, manualCopyNotice, IDOK);
    expectOwnWindowLine("");
    EXPECT_FALSE(fileExists(copyInProgramFolder()));
    EXPECT_TRUE(copyCalls().empty());
}

// The program at the root of a drive: its folder keeps its backslash, the
// destination has two in a row, and the copy lands in the root. The drive
// letter is mapped to an empty folder by the test's wrapper script, which
// names it in TARNWICK_E2E_ROOT_DRIVE ("T:").
TEST_F(PsapiProvisioning, ProgramAtADriveRootGetsTheCopyInTheRoot) {
    const std::string drive = environmentValue("TARNWICK_E2E_ROOT_DRIVE");
    ASSERT_EQ(drive.size(), 2u)
        << "TARNWICK_E2E_ROOT_DRIVE names no drive (run through with-root-drive.sh)";
    const std::string root = drive + "\\";
    ASSERT_FALSE(fileExists(root + "PSAPI.DLL"));
    programFile_ = root + programName;
    ASSERT_TRUE(copyFile(programPath(), programFile_));
    putFileOnTheCd();

    start(false);
    expectOwnWindowLine(programFile_);
    EXPECT_TRUE(sameContents(root + "PSAPI.DLL", standInPsapi()));
    expectWindowsOfOursShow(ownExePath(), 1);
    EXPECT_TRUE(boxCalls().empty());
    EXPECT_EQ(copyCalls(), (std::vector<std::string>{expectedCopy(
                               installationSource() + ".." + pathOnTheCd, root + "\\PSAPI.DLL")}));

    // The drive's folder belongs to the wrapper; leave it empty.
    ASSERT_TRUE(program_.window() != nullptr);
    PostMessageA(program_.window(), WM_CLOSE, 0, 0);
    EXPECT_TRUE(program_.waitForExit());
    EXPECT_TRUE(removeAll(root + "PSAPI.DLL"));
    EXPECT_TRUE(removeAll(programFile_));
}

}  // namespace
}  // namespace e2e
