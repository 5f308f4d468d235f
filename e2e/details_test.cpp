// What the program reads of a window's process besides its executable, seen
// from outside: the process that started it and its exact command line, in
// the table that the list's menu copies, chosen from the keyboard; and a
// Store app's frame, logged with the app inside it where the frame host
// owns the frame.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "e2e/harness/clipboard.h"
#include "e2e/harness/environment.h"
#include "e2e/harness/expectedLine.h"
#include "e2e/harness/hostProcess.h"
#include "e2e/harness/keyboard.h"
#include "e2e/harness/modalLoops.h"
#include "e2e/harness/program.h"
#include "e2e/harness/scratchFolder.h"
#include "e2e/harness/testWindow.h"
#include "e2e/harness/text.h"

namespace e2e {
namespace {

using Row = std::vector<std::string>;

// Rows of tab-separated text, fields in double quotes taken as a
// spreadsheet takes them.
std::vector<Row> parseTable(const std::string& text) {
    std::vector<Row> rows(1, Row(1));
    bool quoted = false;
    for (std::size_t at = 0; at < text.size(); ++at) {
        const char c = text[at];
        std::string& field = rows.back().back();
        if (quoted) {
            if (c == '"' && at + 1 < text.size() && text[at + 1] == '"') {
                field += '"';
                ++at;
            } else if (c == '"') {
                quoted = false;
            } else {
                field += c;
            }
        } else if (c == '"' && field.empty()) {
            quoted = true;
        } else if (c == '\t') {
            rows.back().emplace_back();
        } else if (c == '\r' && at + 1 < text.size() && text[at + 1] == '\n') {
            ++at;
            rows.emplace_back(1);
        } else {
            field += c;
        }
    }
    rows.pop_back();  // after the last CR LF
    return rows;
}

std::string column(const Row& header, const Row& row, const std::string& name) {
    for (std::size_t i = 0; i < header.size() && i < row.size(); ++i) {
        if (header[i] == name) {
            return row[i];
        }
    }
    return "(no column " + name + ")";
}

TEST(Details, CopyAllWithDetailsNamesWhoStartedTheWindowsProcessAndHow) {
    Program program;
    ASSERT_TRUE(program.start()) << program.failure();
    // A window of the test's own to hold the clipboard before the copy.
    WindowSpec plan;
    TestWindow owner(plan);
    ASSERT_TRUE(putOnClipboard(owner.handle(), "before"));
    const std::string exe = standinsFolder() + "\\windowHost.exe";
    const std::string arguments = "started by a test\t\"with quotes\"  and blanks";
    HostProcess child;
    // The child brings its window to the front itself.
    ASSERT_TRUE(child.start(exe, arguments)) << child.failure();
    std::vector<std::string> seen;
    ASSERT_FALSE(program.waitForLineOf(child.pid(), arguments, seen).empty()) << listing(seen);

    // From the keyboard, with the program in front: Shift+F10, then A.
    ASSERT_TRUE(bringToFront(program.window()));
    ASSERT_TRUE(program.waitForLines(
        [](const std::vector<std::string>& lines) {
            return !lines.empty() && lines.back().find("cls='TarnwickForm1'") != std::string::npos;
        },
        seen)) << listing(seen);
    ASSERT_EQ(GetForegroundWindow(), program.window()) << listing(seen);
    pressKeys({VK_SHIFT, VK_F10});
    ASSERT_TRUE(waitUntil([&] { return inModalLoop(program.mainThreadId(), GUI_INMENUMODE); }))
        << "the list's menu did not open";
    pressKeys({'A'});
    ASSERT_TRUE(waitUntil([&] { return GetClipboardOwner() == program.window(); })) << "nothing was copied";
    std::wstring copied;
    ASSERT_TRUE(readClipboardUnicode(owner.handle(), copied));

    const std::string text = toUtf8(copied);
    const std::vector<Row> table = parseTable(text);
    ASSERT_GE(table.size(), 3u) << text;
    const Row& header = table.front();
    const Row* childRow = nullptr;
    for (const Row& row : table) {
        if (column(header, row, "pid") == std::to_string(child.pid())) {
            childRow = &row;
        }
    }
    ASSERT_NE(childRow, nullptr) << text;
    // The tab shows as its picture, so that it cannot break the row.
    const std::string shownArguments = "started by a test\xE2\x90\x89\"with quotes\"  and blanks";
    EXPECT_EQ(column(header, *childRow, "title"), shownArguments);
    EXPECT_EQ(column(header, *childRow, "exe"), exe);
    EXPECT_EQ(column(header, *childRow, "command line"), "\"" + exe + "\" " + shownArguments);
    EXPECT_EQ(column(header, *childRow, "parent pid"), std::to_string(GetCurrentProcessId()));
    EXPECT_EQ(column(header, *childRow, "parent exe"), ownExePath());
    EXPECT_EQ(table.back().size(), header.size()) << "every row has every column";
}

// Windows 10's Store apps: the frame belongs to the frame host, the app's
// own window inside it to the app. Any program may name a window's class
// ApplicationFrameWindow; only a frame of ApplicationFrameHost.exe counts.
TEST(Details, AStoreAppsFrameIsLoggedWithTheAppsProcessWhereTheFrameHostOwnsIt) {
    Program program;
    ASSERT_TRUE(program.start()) << program.failure();
    const char frameClass[] = "ApplicationFrameWindow";
    const std::string exe = standinsFolder() + "\\windowHost.exe";
    ScratchFolder folder("frame-host");
    ASSERT_TRUE(copyFile(exe, folder.at("ApplicationFrameHost.exe")));
    ProcessCrowd frameHost(folder.at("ApplicationFrameHost.exe"));
    ASSERT_TRUE(frameHost.start("/frame Settings"));
    HWND hostsFrame = nullptr;
    ASSERT_TRUE(waitUntil([&] {
        hostsFrame = FindWindowA(frameClass, "Settings");
        return IsWindowVisible(hostsFrame) != FALSE;
    }));
    WindowSpec plan;
    plan.className = frameClass;
    plan.caption = "Not a frame";
    TestWindow ownFrame(plan);

    ProcessCrowd apps(exe);
    const struct {
        HWND frame;
        const char* caption;
        bool ownedByFrameHost;
    } frames[] = {{hostsFrame, "Settings", true}, {ownFrame.handle(), "Not a frame", false}};
    for (const auto& row : frames) {
        SCOPED_TRACE(row.caption);
        ASSERT_TRUE(apps.start("/app-in " + std::to_string(reinterpret_cast<UINT_PTR>(row.frame))));
        HWND appWindow = nullptr;
        ASSERT_TRUE(waitUntil([&] {
            appWindow = FindWindowExA(row.frame, nullptr, "Windows.UI.Core.CoreWindow", nullptr);
            return appWindow != nullptr;
        }));
        ASSERT_TRUE(bringToFront(row.frame));
        RECT rect = {};
        GetWindowRect(row.frame, &rect);
        WindowFacts facts = ordinaryWindowFacts(row.caption, frameClass, rect,
                                                static_cast<DWORD>(GetWindowLongA(row.frame, GWL_STYLE)));
        if (row.ownedByFrameHost) {
            facts.exe = exe;
            GetWindowThreadProcessId(appWindow, &facts.pid);
        }
        EXPECT_EQ(program.lineOf(facts.pid, facts.title), expectedLine(facts));
    }
}

}  // namespace
}  // namespace e2e
