// What the program hands over, seen from outside: the process that started
// a window's process and its exact command line, in the table that the
// list's menu copies, chosen from the keyboard; the line pointed at with the
// program in the background; a table whole and in step with lines added
// from outside; a Store app's frame, logged with the app inside it where the
// frame host owns the frame; why each window came to the front, from real
// input; and the Suspects window, which names the thief.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "e2e/harness/clipboard.h"
#include "e2e/harness/environment.h"
#include "e2e/harness/expectedLine.h"
#include "e2e/harness/hostProcess.h"
#include "e2e/harness/hover.h"
#include "e2e/harness/listBox.h"
#include "e2e/harness/logLineFields.h"
#include "e2e/harness/keyboard.h"
#include "e2e/harness/modalLoops.h"
#include "e2e/harness/program.h"
#include "e2e/harness/scratchFolder.h"
#include "e2e/harness/testWindow.h"
#include "e2e/harness/text.h"
#include "e2e/harness/windowInFront.h"

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

// The program brought to the front, its list's menu opened from the keyboard
// (Shift+F10) and the item with `key` chosen; the clipboard's Unicode text
// as UTF-8, or a text saying what went wrong. `owner`: a window of the test.
std::string chooseFromListMenu(const Program& program, HWND owner, BYTE key) {
    putOnClipboard(owner, "before");
    // A window of the test's that comes late may take the front back, and
    // so may a child's own call to take it: ask again.
    std::vector<std::string> seen;
    const auto ownLineLast = [](const std::vector<std::string>& lines) {
        return !lines.empty() && lines.back().find("cls='TarnwickForm1'") != std::string::npos;
    };
    if (!waitUntil([&] {
            return bringToFront(program.window(), 1000) && program.waitForLines(ownLineLast, seen, 1000) &&
                   GetForegroundWindow() == program.window();
        })) {
        return "(the program did not come to the front)\n" + listing(seen);
    }
    // The keys go where the focus is, which the program sets once it has
    // handled its activation; on a busy machine that may come later.
    const bool listFocused = waitUntil([&] {
        if (GetForegroundWindow() != program.window()) {
            SetForegroundWindow(program.window());
        }
        GUITHREADINFO info = {};
        info.cbSize = sizeof info;
        return GetGUIThreadInfo(program.mainThreadId(), &info) && info.hwndFocus == program.list();
    });
    if (!listFocused) {
        return "(the list did not take the focus)";
    }
    pressKeys({VK_SHIFT, VK_F10});
    if (!waitUntil([&] { return inModalLoop(program.mainThreadId(), GUI_INMENUMODE); })) {
        return "(the list's menu did not open)";
    }
    pressKeys({key});
    std::wstring copied;
    if (!waitUntil([&] { return GetClipboardOwner() == program.window(); }) ||
        !readClipboardUnicode(owner, copied)) {
        return "(nothing was copied)";
    }
    return toUtf8(copied);
}

TEST(Details, CopyAllWithDetailsNamesWhoStartedTheWindowsProcessAndHow) {
    Program program;
    ASSERT_TRUE(program.start()) << program.failure();
    // A window of the test's own to hold the clipboard before the copy.
    WindowSpec plan;
    TestWindow owner(plan);
    const std::string exe = standinsFolder() + "\\windowHost.exe";
    const std::string arguments = "started by a test\t\"with quotes\"  and blanks";
    HostProcess child;
    // The child brings its window to the front itself.
    ASSERT_TRUE(child.start(exe, arguments)) << child.failure();
    std::vector<std::string> seen;
    ASSERT_FALSE(program.waitForLineOf(child.pid(), arguments, seen).empty()) << listing(seen);

    // From the keyboard, with the program in front: Shift+F10, then A.
    const std::string text = chooseFromListMenu(program, owner.handle(), 'A');
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
    HWND hostsFrames[2] = {nullptr, nullptr};
    const char* const hostsCaptions[2] = {"Settings", "Launching"};
    for (int i = 0; i < 2; ++i) {
        ASSERT_TRUE(frameHost.start(std::string("/frame ") + hostsCaptions[i]));
        ASSERT_TRUE(waitUntil([&] {
            hostsFrames[i] = FindWindowA(frameClass, hostsCaptions[i]);
            return IsWindowVisible(hostsFrames[i]) != FALSE;
        }));
    }
    WindowSpec plan;
    plan.className = frameClass;
    plan.caption = "Not a frame";
    TestWindow ownFrame(plan);

    ProcessCrowd apps(exe);
    // At the app's launch the frame comes to the front first, and the app's
    // window joins it a moment later: the frame's line then names the app.
    const struct {
        HWND frame;
        const char* caption;
        bool ownedByFrameHost;
        bool appComesLater;
    } frames[] = {{hostsFrames[0], "Settings", true, false},
                  {ownFrame.handle(), "Not a frame", false, false},
                  {hostsFrames[1], "Launching", true, true}};
    for (const auto& row : frames) {
        SCOPED_TRACE(row.caption);
        std::vector<std::string> seen;
        if (row.appComesLater) {
            ASSERT_TRUE(bringToFront(row.frame));
            ASSERT_TRUE(program.waitForLines([&](const std::vector<std::string>& lines) {
                return !lines.empty() && lines.back().find(row.caption) != std::string::npos;
            }, seen)) << listing(seen);
        }
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
        if (row.appComesLater) {
            const std::vector<std::string> lines = program.lines();
            EXPECT_EQ(std::count_if(lines.begin(), lines.end(),
                                    [&](const std::string& line) { return line.find(row.caption) != std::string::npos; }),
                      1) << "the line is amended, not followed by another\n" << listing(lines);
        }
    }
}

// The line handed over is the line pointed at, with the program in the
// background, as a user comes back to it after a steal: the click that
// brings the program to the front logs its own line, which takes the
// selection from no line the user chose.
TEST(Details, TheLinePointedAtIsTheLineHandedOverWithTheProgramInTheBackground) {
    Program program;
    ASSERT_TRUE(program.start()) << program.failure();
    // The program's window below the test's windows, none over its list.
    SetWindowPos(program.window(), nullptr, 0, 420, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    const WindowSpec planA = planFor("Window A", {40, 40, 300, 200});
    const WindowSpec planB = planFor("Window B", {320, 40, 580, 200});
    const WindowSpec planC = planFor("Window C", {600, 40, 860, 200});
    TestWindow a(planA);
    TestWindow b(planB);
    TestWindow c(planC);
    std::vector<std::string> seen;
    for (HWND window : {a.handle(), b.handle(), c.handle()}) {
        ASSERT_TRUE(bringToFront(window));
        ASSERT_TRUE(program.waitForLines([&](const std::vector<std::string>& lines) {
            return ourLines(lines).size() == static_cast<std::size_t>(window == a.handle() ? 1 : window == b.handle() ? 2 : 3);
        }, seen)) << listing(seen);
    }
    const HWND list = program.list();
    const auto clickLine = [&](const std::string& line, bool right) {
        const int index = indexOf(program.lines(), line);
        POINT where = {0, 0};
        return index >= 0 && middleOfLine(list, index, where) && WindowFromPoint(where) == list &&
               clickAt(where, right);
    };

    // A right-click on B's line, then "Copy with details".
    ASSERT_TRUE(clickLine(lineOf(b, planB), true)) << listing(program.lines());
    ASSERT_TRUE(waitUntil([&] { return inModalLoop(program.mainThreadId(), GUI_INMENUMODE); }));
    putOnClipboard(a.handle(), "before");
    pressKeys({'D'});
    std::wstring copied;
    ASSERT_TRUE(waitUntil([&] { return GetClipboardOwner() == program.window(); }));
    ASSERT_TRUE(readClipboardUnicode(a.handle(), copied));
    const std::vector<Row> table = parseTable(toUtf8(copied));
    ASSERT_EQ(table.size(), 2u) << toUtf8(copied);
    EXPECT_EQ(column(table[0], table[1], "title"), "Window B");

    // A click on A's line, then Ctrl+C.
    ASSERT_TRUE(bringToFront(c.handle()));
    ASSERT_TRUE(clickLine(lineOf(a, planA), false)) << listing(program.lines());
    ASSERT_TRUE(waitUntil([&] { return GetForegroundWindow() == program.window(); }));
    putOnClipboard(a.handle(), "before");
    pressKeys({VK_CONTROL, 'C'});
    std::string text;
    ASSERT_TRUE(waitUntil([&] { return GetClipboardOwner() == program.window(); }));
    ASSERT_TRUE(readClipboardText(a.handle(), text));
    EXPECT_EQ(text, lineOf(a, planA));

    // New lines leave the selection where the user put it.
    ASSERT_TRUE(bringToFront(b.handle()));
    ASSERT_TRUE(program.waitForLines([&](const std::vector<std::string>& lines) {
        return !lines.empty() && lines.back() == lineOf(b, planB);
    }, seen)) << listing(seen);
    std::string selected;
    ASSERT_TRUE(readListBoxLine(list, static_cast<int>(SendMessageW(list, LB_GETCURSEL, 0, 0)), selected));
    EXPECT_EQ(selected, lineOf(a, planA));
}

// Lines another program puts into the list, and a command line that holds a
// NUL, leave the table whole and in step: one row per line, in the list's
// order, each with its own details.
TEST(Details, TheTableHasOneRowPerLineInTheListsOrder) {
    Program program;
    ASSERT_TRUE(program.start()) << program.failure();
    WindowSpec plan;
    TestWindow owner(plan);
    HostProcess secretive;
    ASSERT_TRUE(secretive.start(standinsFolder() + "\\windowHost.exe", "/secret Blanks a secret"))
        << secretive.failure();
    std::vector<std::string> seen;
    ASSERT_FALSE(program.waitForLineOf(secretive.pid(), "Blanks a secret", seen).empty()) << listing(seen);
    const HWND list = program.list();
    SendMessageW(list, LB_INSERTSTRING, 1, reinterpret_cast<LPARAM>(L"put in from outside"));
    SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"added from outside"));
    ASSERT_TRUE(bringToFront(owner.handle()));

    const std::string text = chooseFromListMenu(program, owner.handle(), 'A');
    const std::vector<std::string> lines = program.lines();
    const std::vector<Row> table = parseTable(text);
    ASSERT_EQ(table.size(), lines.size() + 1) << text << listing(lines);
    const Row& header = table.front();
    for (std::size_t i = 0; i < lines.size(); ++i) {
        SCOPED_TRACE(lines[i]);
        const Row& row = table[i + 1];
        EXPECT_EQ(row.size(), header.size());
        LogLineFields fields;
        std::string why;
        if (!parseLogLine(lines[i], fields, why)) {
            EXPECT_EQ(column(header, row, "title"), lines[i]);
            EXPECT_EQ(column(header, row, "pid"), "");
            continue;
        }
        EXPECT_EQ(column(header, row, "pid"), std::to_string(fields.pid));
        EXPECT_EQ(column(header, row, "left"), std::to_string(fields.left));
        if (fields.pid == static_cast<long long>(secretive.pid())) {
            EXPECT_EQ(column(header, row, "command line"),
                      "\"" + standinsFolder() + "\\windowHost.exe\" \xE2\x90\x80secret Blanks a secret");
        }
    }
}

// Why each window came to the front, from real input: a click brings a
// window to the front (you); a window takes the front after a quiet second,
// while letters are typed, or while the button is held inside the window in
// front (by itself); a window that takes the front and hides gave it back,
// and the change after it is a hand-over. The Suspects window, opened from
// the keyboard, puts the program that took the front by itself on top.
TEST(Details, EachLineSaysWhyItsWindowCameToTheFrontAndTheSuspectsNameTheThief) {
    Program program;
    ASSERT_TRUE(program.start()) << program.failure();
    SetWindowPos(program.window(), nullptr, 0, 420, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    const WindowSpec planA = planFor("Editor", {40, 40, 300, 200});
    const WindowSpec planB = planFor("Clicked", {320, 40, 580, 200});
    TestWindow a(planA);
    TestWindow b(planB);
    const std::string thiefExe = standinsFolder() + "\\windowHost.exe";
    HostProcess thieves[4];
    for (int i = 0; i < 4; ++i) {
        ASSERT_TRUE(thieves[i].start(thiefExe, "/behind Thief " + std::to_string(i + 1))) << thieves[i].failure();
        SetWindowPos(thieves[i].window(), nullptr, 620, 40 + 30 * i, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    const auto middleOf = [](HWND window) {
        RECT rect = {};
        GetWindowRect(window, &rect);
        return POINT{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
    };
    const auto clickToFront = [&](HWND window) {
        return clickAt(middleOf(window)) && waitUntil([&] { return GetForegroundWindow() == window; });
    };
    const auto steal = [](HWND thief) {
        SetForegroundWindow(thief);
        return waitUntil([&] { return GetForegroundWindow() == thief; });
    };
    const auto pause = [](DWORD ms) { waitUntil([] { return false; }, ms); };

    ASSERT_TRUE(clickToFront(a.handle()));
    ASSERT_TRUE(clickToFront(b.handle()));
    ASSERT_TRUE(clickToFront(a.handle()));
    pause(1300);
    ASSERT_TRUE(steal(thieves[0].window()));
    ASSERT_TRUE(clickToFront(a.handle()));
    typeKeys("QWE");
    ASSERT_TRUE(steal(thieves[1].window()));
    typeKeys("RT");
    ASSERT_TRUE(clickToFront(a.handle()));
    ASSERT_TRUE(movePointerTo(middleOf(a.handle())) && pressLeftButton());
    pause(50);
    ASSERT_TRUE(steal(thieves[2].window()));
    releaseLeftButton();
    ASSERT_TRUE(clickToFront(a.handle()));
    // The last thief's hide passes the front to a window below it: the
    // editor, with the other windows out of the way.
    for (int i = 0; i < 3; ++i) {
        ShowWindow(thieves[i].window(), SW_HIDE);
    }
    ShowWindow(b.handle(), SW_HIDE);
    ASSERT_TRUE(steal(thieves[3].window()));
    pause(200);
    ShowWindow(thieves[3].window(), SW_HIDE);
    ASSERT_TRUE(waitUntil([&] { return GetForegroundWindow() == a.handle(); }, 10000))
        << "the front did not pass back to the editor\n" << listing(program.lines());
    pause(100);

    const std::string text = chooseFromListMenu(program, a.handle(), 'A');
    const std::vector<Row> table = parseTable(text);
    ASSERT_GE(table.size(), 2u) << text;
    const Row& header = table.front();
    const auto rowOf = [&](const std::string& title) -> std::size_t {
        for (std::size_t i = 1; i < table.size(); ++i) {
            if (column(header, table[i], "title") == title) {
                return i;
            }
        }
        return 0;
    };
    const struct {
        const char* title;
        const char* cause;
    } causes[] = {{"Clicked", "you"}, {"Thief 1", "by itself"}, {"Thief 2", "by itself"}, {"Thief 3", "by itself"}};
    for (const auto& expected : causes) {
        const std::size_t row = rowOf(expected.title);
        ASSERT_NE(row, 0u) << expected.title << "\n" << text;
        EXPECT_EQ(column(header, table[row], "cause"), expected.cause) << expected.title << "\n" << text;
    }
    const std::string sinceTyping = column(header, table[rowOf("Thief 2")], "since input ms");
    EXPECT_TRUE(!sinceTyping.empty() && std::stoi(sinceTyping) < 300) << sinceTyping;
    const std::size_t hidden = rowOf("Thief 4");
    ASSERT_NE(hidden, 0u) << text;
    EXPECT_EQ(column(header, table[hidden], "gave back"), "yes") << text;
    std::size_t after = hidden + 1;
    while (after < table.size() && column(header, table[after], "title").empty()) {
        ++after;  // the moments with no window in front
    }
    ASSERT_LT(after, table.size()) << text;
    EXPECT_EQ(column(header, table[after], "title"), "Editor");
    EXPECT_EQ(column(header, table[after], "cause"), "hand-over") << text;

    // The Suspects window, from the list's menu: Shift+F10, then S.
    pressKeys({VK_SHIFT, VK_F10});
    ASSERT_TRUE(waitUntil([&] { return inModalLoop(program.mainThreadId(), GUI_INMENUMODE); }));
    pressKeys({'S'});
    HWND suspects = nullptr;
    ASSERT_TRUE(waitUntil([&] {
        suspects = FindWindowA("TarnwickSuspects", "Suspects");
        return suspects != nullptr && GetForegroundWindow() == suspects;
    })) << "the Suspects window did not open";
    putOnClipboard(a.handle(), "before");
    pressKeys({VK_CONTROL, 'C'});
    std::wstring copied;
    ASSERT_TRUE(waitUntil([&] { return GetClipboardOwner() == suspects; })) << "the table was not copied";
    ASSERT_TRUE(readClipboardUnicode(a.handle(), copied));
    const std::vector<Row> suspectsTable = parseTable(toUtf8(copied));
    ASSERT_GE(suspectsTable.size(), 2u) << toUtf8(copied);
    EXPECT_EQ(column(suspectsTable[0], suspectsTable[1], "program"), thiefExe) << toUtf8(copied);
    EXPECT_EQ(column(suspectsTable[0], suspectsTable[1], "by itself"), "4") << toUtf8(copied);
    pressKeys({VK_ESCAPE});
    EXPECT_TRUE(waitUntil([&] { return !IsWindow(suspects); })) << "Esc did not close it";
    EXPECT_FALSE(program.hasExited());
}

}  // namespace
}  // namespace e2e
