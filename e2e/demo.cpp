// The demonstration that scripts/run.sh shows when there is no display: a
// few windows with telling captions come to the front one after another
// while the program logs them, then the program's window comes back to the
// front, and the lines it logged are written out.
//   tarnwick_demo show LINES_FILE   runs the demonstration, writes the log to
//                                   LINES_FILE and a last line "READY", and
//                                   keeps its windows open until the program ends
//   tarnwick_demo close             presses the program's Close button and
//                                   waits until the program has ended
#include <windows.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "e2e/harness/environment.h"
#include "e2e/harness/expectedLine.h"
#include "e2e/harness/hover.h"
#include "e2e/harness/listBox.h"
#include "e2e/harness/program.h"
#include "e2e/harness/testWindow.h"
#include "e2e/harness/waiting.h"
#include "e2e/harness/windowSearch.h"

namespace {

// Long enough to look at the result; the demonstration ends earlier when
// the program is closed.
constexpr DWORD keepOpenMs = 10 * 60 * 1000;

struct FoundProgram {
    HWND window = nullptr;
    DWORD pid = 0;
};

FoundProgram waitForProgram() {
    FoundProgram found;
    e2e::waitUntil([&found] {
        found.window = e2e::findWindow("TarnwickForm1");
        return found.window != nullptr;
    });
    GetWindowThreadProcessId(found.window, &found.pid);
    return found;
}

std::vector<std::string> linesOf(HWND window) {
    std::vector<std::string> lines;
    e2e::readListBoxLines(GetDlgItem(window, 101), lines);
    return lines;
}

e2e::WindowSpec demoWindow(const char* className, const char* caption, RECT rect,
                           DWORD style = WS_OVERLAPPEDWINDOW, int show = SW_SHOWNORMAL) {
    e2e::WindowSpec plan;
    plan.className = className;
    plan.caption = caption;
    plan.rect = rect;
    plan.style = style;
    plan.showCommand = show;
    return plan;
}

int show(const std::string& linesFile) {
    const FoundProgram program = waitForProgram();
    if (program.window == nullptr) {
        std::fprintf(stderr, "the program's window did not appear\n");
        return 1;
    }
    const HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, program.pid);
    e2e::waitUntil([&] { return !linesOf(program.window).empty(); });
    // The program says why a window came once it has watched the input
    // for a second.
    e2e::waitUntil([] { return false; }, 1200);

    const std::vector<e2e::WindowSpec> specs = {
        demoWindow("DemoEditor", "Quarterly report.txt - Editor", {20, 360, 420, 600}),
        demoWindow("DemoTerminal", "  build output (leading blanks are dropped)",
                   {300, 420, 760, 640}),
        demoWindow("DemoDialog", "Settings - a pop-up window", {620, 380, 900, 520},
                   WS_POPUP | WS_CAPTION | WS_SYSMENU),
        demoWindow("DemoViewer", "Photo viewer, minimised", {500, 560, 900, 740},
                   WS_OVERLAPPEDWINDOW, SW_SHOWMINIMIZED),
    };
    std::vector<std::unique_ptr<e2e::TestWindow>> windows;
    const auto ourLineCount = [&program] {
        return e2e::linesOfProcess(linesOf(program.window), GetCurrentProcessId()).size();
    };
    for (const e2e::WindowSpec& plan : specs) {
        // A window shown this way comes to the front as it opens.
        const std::size_t before = ourLineCount();
        windows.push_back(std::make_unique<e2e::TestWindow>(plan));
        const HWND window = windows.back()->handle();
        e2e::bringToFront(window);
        e2e::waitUntil([&] { return ourLineCount() > before || GetForegroundWindow() != window; });
    }
    e2e::bringToFront(program.window);
    e2e::waitUntil([&] {
        const std::vector<std::string> lines = linesOf(program.window);
        return !lines.empty() && lines.back().find("cls='TarnwickForm1'") != std::string::npos;
    });

    // Hover the editor's line, so that the picture shows its tooltip too.
    const std::vector<std::string> logged = linesOf(program.window);
    for (int i = 0; i < static_cast<int>(logged.size()); ++i) {
        POINT where = {0, 0};
        if (logged[i].find("Quarterly report") != std::string::npos &&
            e2e::middleOfLine(GetDlgItem(program.window, 101), i, where) && e2e::movePointerTo(where)) {
            e2e::waitForTooltipText(program.pid, 5000);
            break;
        }
    }

    FILE* out = std::fopen(e2e::windowsPathOf(linesFile).c_str(), "w");
    if (out == nullptr) {
        std::fprintf(stderr, "cannot write %s\n", linesFile.c_str());
        return 1;
    }
    for (const std::string& line : linesOf(program.window)) {
        std::fprintf(out, "%s\n", line.c_str());
    }
    std::fprintf(out, "READY\n");
    std::fclose(out);

    if (process != nullptr) {
        e2e::waitForObject(process, keepOpenMs);
        CloseHandle(process);
    }
    return 0;
}

int close() {
    const FoundProgram program = waitForProgram();
    if (program.window == nullptr) {
        return 0;
    }
    const HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, program.pid);
    HWND panel = FindWindowExA(program.window, nullptr, "TarnwickPanel", nullptr);
    e2e::clickButton(GetDlgItem(panel, IDCANCEL));
    const bool ended = process == nullptr || e2e::waitForObject(process);
    if (process != nullptr) {
        CloseHandle(process);
    }
    return ended ? 0 : 1;
}

}  // namespace

// A windows program, so that Wine opens no console window for it.
int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    const std::string command = __argc > 1 ? __argv[1] : "";
    if (command == "show" && __argc > 2) {
        return show(__argv[2]);
    }
    if (command == "close") {
        return close();
    }
    return 2;
}
