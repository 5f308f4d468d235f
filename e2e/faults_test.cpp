// Faults a long-running logger meets sooner or later: a log that reaches the
// list box's limit of 32,767 lines, another program holding the clipboard
// open during a copy, and captions and class names at and beyond the
// lengths that buffers are usually sized for, or with line breaks in them.
#include <gtest/gtest.h>

#include <cstring>

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "e2e/harness/clipboard.h"
#include "e2e/harness/environment.h"
#include "e2e/harness/expectedLine.h"
#include "e2e/harness/listBox.h"
#include "e2e/harness/program.h"
#include "e2e/harness/testWindow.h"
#include "e2e/harness/waiting.h"

namespace e2e {
namespace {

// The most lines the log holds.
constexpr int fullLog = 32767;

// Where two texts part, for failure messages that must not print a 65,535
// character caption whole.
std::string difference(const std::string& expected, const std::string& actual) {
    std::size_t at = 0;
    while (at < expected.size() && at < actual.size() && expected[at] == actual[at]) {
        ++at;
    }
    auto excerpt = [at](const std::string& text) {
        const std::size_t from = at > 40 ? at - 40 : 0;
        return "[" + std::to_string(text.size()) + " characters] ..." + text.substr(from, 100) + "...";
    };
    return "they part at character " + std::to_string(at) + "\n  expected " + excerpt(expected) + "\n  actual   " +
           excerpt(actual);
}

// Asks the list box a question whose answer is a number; -2 when it does
// not answer.
LRESULT ask(HWND list, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
    DWORD_PTR result = 0;
    if (SendMessageTimeoutW(list, message, wParam, lParam, SMTO_NORMAL, defaultTimeoutMs, &result) == 0) {
        return -2;
    }
    return static_cast<LRESULT>(result);
}

std::string lineAt(HWND list, int index) {
    std::string line;
    if (!readListBoxLine(list, index, line)) {
        return "(line " + std::to_string(index) + " could not be read)";
    }
    return line;
}

std::string lineOf(const TestWindow& window, const WindowSpec& plan) {
    return expectedLine(ordinaryWindowFacts(plan.caption, plan.className, plan.rect, window.style()));
}

// ---------------------------------------------------------------------------
// A full log.

// Lines put into the log from outside. Filling 32,767 lines through real
// foreground changes would take about ten minutes here (a logged change
// costs 10 to 20 ms under Wine), so the test adds all but a few of them to
// the program's list box itself with LB_ADDSTRING, then makes real changes
// past the limit. Early and late ones are numbered, so that which lines went
// can be told; the bulk between them are alike.
std::string earlyFiller(int number) {
    return "early filler line " + std::to_string(number);
}
std::string lateFiller(int number) {
    return "late filler line " + std::to_string(number);
}
const char bulkFiller[] =
    "bulk filler line, about as long as a line of the log: title='...'  cls='...'  vis=yes  pos=0,0,0,0";

constexpr int earlyFillers = 10;
constexpr int lateFillers = 5;
constexpr int roomLeft = 3;
constexpr int bulkFillers = fullLog - roomLeft - earlyFillers - lateFillers;

bool addLine(HWND list, const std::string& text) {
    const std::wstring wide(text.begin(), text.end());
    const LRESULT index = ask(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide.c_str()));
    return index >= 0;
}

// Adds `count` bulk lines from several threads at once: the program answers
// every question waiting for it in one message step, so this takes a few
// seconds instead of a pass of its loop per line.
struct BulkFill {
    HWND list;
    int count;
    volatile LONG next;
    volatile LONG failed;
};

DWORD WINAPI addBulkLines(void* context) {
    auto* fill = static_cast<BulkFill*>(context);
    const std::string text = bulkFiller;
    for (LONG number = InterlockedIncrement(&fill->next); number <= fill->count;
         number = InterlockedIncrement(&fill->next)) {
        // The program switches painting on again a moment after its last
        // line of its own; say it again now and then.
        if (number % 256 == 1) {
            ask(fill->list, WM_SETREDRAW, FALSE);
        }
        if (!addLine(fill->list, text)) {
            InterlockedIncrement(&fill->failed);
        }
    }
    return 0;
}

bool addBulk(HWND list, int count) {
    BulkFill fill = {list, count, 0, 0};
    std::vector<HANDLE> threads;
    for (int i = 0; i < 8; ++i) {
        const HANDLE thread = CreateThread(nullptr, 0, addBulkLines, &fill, 0, nullptr);
        if (thread != nullptr) {
            threads.push_back(thread);
        }
    }
    for (HANDLE thread : threads) {
        waitForObject(thread, INFINITE);
        CloseHandle(thread);
    }
    return !threads.empty() && fill.failed == 0;
}

class Faults : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(program_.start()) << program_.failure(); }

    int count() { return listBoxCount(program_.list()); }
    int selected() { return static_cast<int>(ask(program_.list(), LB_GETCURSEL)); }

    // Brings `window` to the front and waits until the log's last line is
    // `expected`: with the log full its length no longer grows.
    void frontAndWaitForLastLine(HWND window, const std::string& expected) {
        ASSERT_TRUE(bringToFront(window));
        std::string last;
        const bool logged = waitUntil([&] {
            const int n = count();
            last = n > 0 ? lineAt(program_.list(), n - 1) : std::string();
            return last == expected;
        });
        ASSERT_TRUE(logged) << "the last line is not the new window's\n  last:     " << last << "\n  expected: "
                            << expected << (program_.hasExited() ? "\n(the program has ended)" : "");
    }

    Program program_;
};

TEST_F(Faults, AFullLogDropsItsOldestLineAndKeepsTheNewestSelected) {
    const WindowSpec planStart = [] {
        WindowSpec plan;
        plan.caption = "Before the log fills";
        plan.rect = {60, 60, 360, 260};
        return plan;
    }();
    const WindowSpec planA = [] {
        WindowSpec plan;
        plan.caption = "Past the limit A";
        plan.rect = {120, 100, 480, 340};
        return plan;
    }();
    const WindowSpec planB = [] {
        WindowSpec plan;
        plan.caption = "Past the limit B";
        plan.rect = {520, 300, 860, 520};
        return plan;
    }();
    TestWindow start(planStart);
    TestWindow a(planA);
    TestWindow b(planB);
    const std::string lineA = lineOf(a, planA);
    const std::string lineB = lineOf(b, planB);
    const HWND list = program_.list();

    // One of our windows in front, then an empty log: Clear leaves the
    // program's memory of the foreground window alone.
    ASSERT_TRUE(bringToFront(start.handle()));
    std::vector<std::string> seen;
    ASSERT_TRUE(program_.waitForLines(
        [](const std::vector<std::string>& lines) { return !linesOfProcess(lines, GetCurrentProcessId()).empty(); },
        seen))
        << listing(seen);
    ASSERT_TRUE(clickButton(program_.clearButton()));
    ASSERT_TRUE(waitUntil([&] { return count() == 0; })) << "Clear did not empty the log";

    // While the fillers go in, the list box is told not to paint: otherwise
    // it redraws its scroll bar for every line, which under Wine takes
    // minutes for the lot. The program holds painting back the same way
    // while its own lines come in; it is switched on again before the real
    // changes.
    const DWORD fillStarted = GetTickCount();
    ASSERT_EQ(ask(list, WM_SETREDRAW, FALSE), 0);
    for (int i = 0; i < earlyFillers; ++i) {
        ASSERT_TRUE(addLine(list, earlyFiller(i)));
    }
    ASSERT_TRUE(addBulk(list, bulkFillers));
    for (int i = 0; i < lateFillers; ++i) {
        ASSERT_TRUE(addLine(list, lateFiller(i)));
    }
    ASSERT_EQ(ask(list, WM_SETREDRAW, TRUE), 0);
    InvalidateRect(list, nullptr, TRUE);
    ASSERT_EQ(count(), fullLog - roomLeft);
    std::printf("%d lines put into the log in %lu ms\n", fullLog - roomLeft,
                static_cast<unsigned long>(GetTickCount() - fillStarted));
    ASSERT_TRUE(program_.letTheLoopRun(10));
    ASSERT_EQ(count(), fullLog - roomLeft) << "nothing but the fillers yet";

    // Real changes: A and B take turns, each once more than there is room.
    const int changes = roomLeft + 5;
    for (int change = 1; change <= changes; ++change) {
        const bool isA = change % 2 == 1;
        frontAndWaitForLastLine(isA ? a.handle() : b.handle(), isA ? lineA : lineB);
        if (HasFatalFailure()) {
            return;
        }
        const int expectedCount = std::min(fullLog, fullLog - roomLeft + change);
        ASSERT_EQ(count(), expectedCount) << "after change " << change;
        ASSERT_EQ(selected(), expectedCount - 1) << "the newest line is selected, after change " << change;
        ASSERT_FALSE(program_.hasExited());
    }

    // The oldest lines went, the first of them first; everything else is
    // there in order.
    const int dropped = changes - roomLeft;
    ASSERT_EQ(count(), fullLog);
    for (int i = 0; i < dropped; ++i) {
        const std::string goneText = earlyFiller(i);
        const std::wstring gone(goneText.begin(), goneText.end());
        EXPECT_EQ(ask(list, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(gone.c_str())),
                  LB_ERR)
            << earlyFiller(i) << " should be gone";
    }
    for (int i = dropped; i < earlyFillers; ++i) {
        EXPECT_EQ(lineAt(list, i - dropped), earlyFiller(i));
    }
    const int firstBulk = earlyFillers - dropped;
    EXPECT_EQ(lineAt(list, firstBulk), bulkFiller);
    EXPECT_EQ(lineAt(list, firstBulk + bulkFillers - 1), bulkFiller);
    for (int i = 0; i < lateFillers; ++i) {
        EXPECT_EQ(lineAt(list, firstBulk + bulkFillers + i), lateFiller(i));
    }
    for (int change = 1; change <= changes; ++change) {
        const int index = firstBulk + bulkFillers + lateFillers + change - 1;
        EXPECT_EQ(lineAt(list, index), change % 2 == 1 ? lineA : lineB) << "line " << index;
    }
    EXPECT_EQ(firstBulk + bulkFillers + lateFillers + changes, fullLog);

    // And it goes on logging.
    frontAndWaitForLastLine(start.handle(), lineOf(start, planStart));
    if (HasFatalFailure()) {
        return;
    }
    EXPECT_EQ(count(), fullLog);
    EXPECT_EQ(selected(), fullLog - 1);
    EXPECT_EQ(lineAt(list, 0), earlyFiller(dropped + 1));
    EXPECT_FALSE(program_.hasExited());
}

// ---------------------------------------------------------------------------
// A held clipboard.

TEST_F(Faults, ACopyWhileAnotherProgramHoldsTheClipboardChangesNothing) {
    WindowSpec planA;
    planA.caption = "Clipboard A";
    planA.rect = {120, 100, 480, 340};
    WindowSpec planB;
    planB.caption = "Clipboard B";
    planB.rect = {520, 300, 860, 520};
    TestWindow a(planA);
    TestWindow b(planB);
    const std::string lineA = lineOf(a, planA);
    std::vector<std::string> seen;
    for (HWND window : {a.handle(), b.handle()}) {
        const std::size_t before = linesOfProcess(program_.lines(), GetCurrentProcessId()).size();
        ASSERT_TRUE(bringToFront(window));
        ASSERT_TRUE(program_.waitForLines(
            [before](const std::vector<std::string>& lines) {
                return linesOfProcess(lines, GetCurrentProcessId()).size() > before;
            },
            seen))
            << listing(seen);
    }
    // With the program in front, no foreground change adds a line meanwhile.
    ASSERT_TRUE(bringToFront(program_.window()));
    ASSERT_TRUE(program_.waitForLines(
        [](const std::vector<std::string>& lines) {
            return !lines.empty() && lines.back().find("cls='TarnwickForm1'") != std::string::npos;
        },
        seen))
        << listing(seen);
    const int index = indexOf(seen, lineA);
    ASSERT_GE(index, 0) << listing(seen);
    ASSERT_NE(index, static_cast<int>(seen.size()) - 1) << "the line to copy is not the selected one yet";

    {
        HeldClipboard held(a.handle(), "held by the test");
        ASSERT_TRUE(held.holding());
        ASSERT_TRUE(doubleClickLine(program_.list(), index));
        // The first click selects the line; the rest of the double-click was
        // queued with it, and a few more answers from the program come after
        // it has handled all of that.
        ASSERT_TRUE(waitUntil([&] { return selected() == index; })) << "the double-click did not arrive";
        ASSERT_TRUE(program_.letTheLoopRun(10)) << "the program stopped answering during the copy";
        EXPECT_FALSE(program_.hasExited());
        EXPECT_EQ(program_.lines(), seen) << "the log changed";
        EXPECT_EQ(held.text(), "held by the test");
        EXPECT_EQ(GetClipboardOwner(), a.handle());
    }
    // Released: nothing happens by itself ...
    ASSERT_TRUE(program_.letTheLoopRun(10));
    std::string text;
    ASSERT_TRUE(readClipboardText(a.handle(), text));
    EXPECT_EQ(text, "held by the test");
    EXPECT_EQ(GetClipboardOwner(), a.handle());

    // ... and the next double-click copies the line.
    ASSERT_TRUE(doubleClickLine(program_.list(), index));
    ASSERT_TRUE(waitUntil([this] { return GetClipboardOwner() == program_.window(); }))
        << "the program did not take the clipboard";
    ASSERT_TRUE(readClipboardText(a.handle(), text));
    EXPECT_EQ(text, lineA);
    EXPECT_EQ(program_.lines(), seen);
}

// ---------------------------------------------------------------------------
// Captions and class names at their limits.

// `length` printable characters, with an apostrophe and a blank now and then
// and no blank at either end.
std::string textOfLength(std::size_t length, const std::string& start) {
    std::string text = start.substr(0, length);
    const char pattern[] = "abcdefghijklmnopqrstuvwxyz0123456789'ABCDEFGHIJKLMNOPQRSTUVWXYZ -";
    for (std::size_t i = 0; text.size() < length; ++i) {
        text += pattern[i % (sizeof pattern - 1)];
    }
    if (!text.empty() && text.back() == ' ') {
        text.back() = '.';
    }
    return text;
}

class BadInput : public Faults {
protected:
    // Shows a window made from `plan` and checks that its line is exactly
    // the one built from the values the test chose.
    void expectExactLine(const WindowSpec& plan) {
        // Wine's CreateWindowEx takes captions of up to 32,766 characters
        // (it holds their size in bytes in 16 bits); a longer one is given
        // to the window right after it is made.
        constexpr std::size_t longestCaptionAtCreation = 32766;
        WindowSpec creation = plan;
        if (plan.caption.size() > longestCaptionAtCreation) {
            creation.caption = "caption to come";
        }
        TestWindow window(creation);
        ASSERT_TRUE(window.valid()) << "could not make the window (class of " << plan.className.size()
                                    << " characters, caption of " << plan.caption.size() << ")";
        if (creation.caption != plan.caption) {
            ASSERT_TRUE(SetWindowTextA(window.handle(), plan.caption.c_str()));
        }
        ASSERT_EQ(GetWindowTextLengthA(window.handle()), static_cast<int>(plan.caption.size()))
            << "the window does not hold the whole caption";
        const std::string expected = lineOf(window, plan);
        const int before = count();
        ASSERT_GE(before, 0);
        ASSERT_TRUE(bringToFront(window.handle()));
        std::vector<std::string> added;
        const bool logged = waitUntil([&] {
            const int now = count();
            added.clear();
            for (int i = before; i < now; ++i) {
                added.push_back(lineAt(program_.list(), i));
            }
            return std::find(added.begin(), added.end(), expected) != added.end();
        });
        const std::vector<std::string> ours = linesOfProcess(added, GetCurrentProcessId());
        if (!logged) {
            ASSERT_FALSE(program_.hasExited()) << "the program ended with code " << program_.exitCode();
            ASSERT_EQ(ours.size(), 1u) << "expected one line for the window, of "
                                       << expected.size() << " characters";
            FAIL() << "not the expected line: " << difference(expected, ours.front());
        }
        EXPECT_EQ(ours.size(), 1u) << "one line for the window";
        EXPECT_EQ(selected(), count() - 1);
        ++windowsShown_;
    }

    int windowsShown_ = 0;
};

TEST_F(BadInput, CaptionsOfEveryLengthAreWrittenExactly) {
    for (std::size_t length : {0u, 1u, 259u, 260u, 4096u, 65535u}) {
        WindowSpec plan;
        plan.caption = textOfLength(length, "caption of " + std::to_string(length) + " characters: ");
        plan.rect = {100 + static_cast<LONG>(windowsShown_) * 40, 80, 500 + static_cast<LONG>(windowsShown_) * 40, 320};
        SCOPED_TRACE("caption of " + std::to_string(length) + " characters");
        expectExactLine(plan);
        if (HasFatalFailure()) {
            return;
        }
        ASSERT_FALSE(program_.hasExited());
    }
}

TEST_F(BadInput, ClassNamesOf255CharactersAreWrittenExactly) {
    for (const char* start : {"TarnwickLongClassA_", "TarnwickLongClassB_"}) {
        WindowSpec plan;
        plan.className = textOfLength(255, start);
        plan.caption = std::string("Window of a class of 255 characters, ") + start;
        SCOPED_TRACE(plan.caption);
        expectExactLine(plan);
        if (HasFatalFailure()) {
            return;
        }
    }
    ASSERT_FALSE(program_.hasExited());
}

TEST_F(BadInput, CaptionsWithLineBreaksAreWrittenWithThem) {
    for (const char* caption : {"first line\r\nsecond line", "first line\nsecond line\n", "\r\n",
                                "ends with a break\r\n", "one\r\ntwo\nthree\r\n\r\nfive"}) {
        WindowSpec plan;
        plan.caption = caption;
        SCOPED_TRACE(std::string("caption ") + caption);
        expectExactLine(plan);
        if (HasFatalFailure()) {
            return;
        }
    }
    ASSERT_FALSE(program_.hasExited());
}

// Lines with captions at their limit fill the log's text budget of 16 MiB
// long before its 32,767 lines: the oldest go, and the newest is kept and
// selected.
TEST_F(Faults, HugeCaptionsKeepTheLogWithinItsTextBudget) {
    constexpr std::size_t budget = std::size_t{16} << 20;
    constexpr int changes = 600;
    WindowSpec plans[2];
    std::vector<std::unique_ptr<TestWindow>> windows;
    std::string lines[2];
    for (int i = 0; i < 2; ++i) {
        plans[i].caption = textOfLength(65535, i == 0 ? "huge caption A: " : "huge caption B: ");
        plans[i].rect = {100, 80, 500, 320};
        WindowSpec creation = plans[i];
        creation.caption = "caption to come";  // longer than CreateWindowEx takes
        windows.push_back(std::make_unique<TestWindow>(creation));
        ASSERT_TRUE(SetWindowTextA(windows[i]->handle(), plans[i].caption.c_str()));
        lines[i] = lineOf(*windows[i], plans[i]);
    }
    ASSERT_EQ(lines[0].size(), lines[1].size());
    for (int change = 0; change < changes; ++change) {
        frontAndWaitForLastLine(windows[change % 2]->handle(), lines[change % 2]);
        if (HasFatalFailure()) {
            return;
        }
    }
    const int n = count();
    std::size_t kept = 0;
    for (int i = 0; i < n; ++i) {
        kept += static_cast<std::size_t>(ask(program_.list(), LB_GETTEXTLEN, static_cast<WPARAM>(i)));
    }
    EXPECT_LE(kept, budget);
    // Each line counts with the values kept beside it (the caption again, the
    // class, the executable) and its process's details: this test's command
    // line, and its parent's, at most a few hundred bytes.
    const std::size_t beside = plans[0].caption.size() + plans[0].className.size() + ownExePath().size() +
                               std::strlen(GetCommandLineA());
    EXPECT_LE(n, static_cast<int>(budget / (lines[0].size() + beside))) << "as many whole lines as fit";
    EXPECT_GE(n, static_cast<int>(budget / (lines[0].size() + beside + 1024))) << "as many whole lines as fit";
    EXPECT_EQ(lineAt(program_.list(), n - 1), lines[(changes - 1) % 2]);
    EXPECT_EQ(selected(), n - 1);
    EXPECT_FALSE(program_.hasExited());
}

}  // namespace
}  // namespace e2e
