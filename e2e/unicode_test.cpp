// Text in every script. On the NT family the program reads captions, class
// names and paths with the wide functions and keeps them whole: the line in
// its (Unicode) list and the line it copies are exactly the window's text. On
// the 95 family (Wine reporting Windows 98) nothing changes: the line holds
// what the ANSI functions give, with the characters the code page lacks lost
// as the system converts them.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "e2e/harness/clipboard.h"
#include "e2e/harness/environment.h"
#include "e2e/harness/expectedLine.h"
#include "e2e/harness/hostProcess.h"
#include "e2e/harness/listBox.h"
#include "e2e/harness/program.h"
#include "e2e/harness/windows98Copy.h"
#include "e2e/harness/scratchFolder.h"
#include "e2e/harness/testWindow.h"
#include "e2e/harness/text.h"
#include "e2e/harness/waiting.h"

namespace e2e {
namespace {

const wchar_t caption[] = L"\u041F\u0440\u0438\u0432\u0435\u0442 \u4F60\u597D caf\u00E9 \U0001F600";
const wchar_t className[] = L"Tarnwick\u041A\u043B\u0430\u0441\u0441\u00DC\u7C7B";
const char win98ProgramName[] = "tarnwick-e2e-unicode98.exe";

// A window of ours with the caption and class above, made with the wide
// functions, not yet in front.
class UnicodeWindow {
public:
    UnicodeWindow() {
        WNDCLASSW windowClass = {};
        windowClass.lpfnWndProc = DefWindowProcW;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.lpszClassName = className;
        RegisterClassW(&windowClass);
        window_ = CreateWindowExW(0, className, caption, WS_OVERLAPPEDWINDOW, 220, 160, 400, 260,
                                  nullptr, nullptr, windowClass.hInstance, nullptr);
        ShowWindow(window_, SW_SHOWNOACTIVATE);
    }
    ~UnicodeWindow() {
        DestroyWindow(window_);
        UnregisterClassW(className, GetModuleHandleW(nullptr));
    }
    UnicodeWindow(const UnicodeWindow&) = delete;
    UnicodeWindow& operator=(const UnicodeWindow&) = delete;

    HWND handle() const { return window_; }
    RECT rect() const {
        RECT r = {0, 0, 0, 0};
        GetWindowRect(window_, &r);
        return r;
    }
    DWORD style() const { return static_cast<DWORD>(GetWindowLongW(window_, GWL_STYLE)); }

private:
    HWND window_ = nullptr;
};

class Unicode : public ::testing::Test {
protected:
    // Waits for a line that starts with `start`, read exactly as the list
    // holds it; its index, or -1.
    int waitForLineStartingWith(const std::wstring& start, std::wstring& line) {
        int found = -1;
        waitUntil([&] {
            const int count = listBoxCount(program_.list());
            for (int i = count - 1; i >= 0 && found < 0; --i) {
                if (readListBoxLine(program_.list(), i, line) && line.compare(0, start.size(), start) == 0) {
                    found = i;
                }
            }
            return found >= 0;
        });
        return found;
    }

    Program program_;
};

TEST_F(Unicode, CaptionAndClassAreLoggedAndCopiedExactly) {
    ASSERT_TRUE(program_.start()) << program_.failure();
    UnicodeWindow window;
    ASSERT_NE(window.handle(), nullptr);
    ASSERT_TRUE(bringToFront(window.handle()));
    const std::wstring expected = fromUtf8(expectedLine(
        ordinaryWindowFacts(toUtf8(caption), toUtf8(className), window.rect(), window.style())));
    std::wstring line;
    const int index = waitForLineStartingWith(std::wstring(L"title='") + caption, line);
    ASSERT_GE(index, 0) << "no line for the window; log:\n" << listing(program_.lines());
    EXPECT_EQ(line, expected) << toUtf8(line);

    ASSERT_TRUE(doubleClickLine(program_.list(), index));
    ASSERT_TRUE(waitUntil([this] { return GetClipboardOwner() == program_.window(); }))
        << "the program did not take the clipboard";
    std::wstring unicode;
    ASSERT_TRUE(readClipboardUnicode(window.handle(), unicode));
    EXPECT_EQ(unicode, expected) << toUtf8(unicode);
    std::string text;
    ASSERT_TRUE(readClipboardText(window.handle(), text));
    EXPECT_EQ(text, toAnsi(expected));
}

// The path of a program in a folder with a Cyrillic name.
TEST_F(Unicode, PathInAnotherScriptIsLoggedExactly) {
    ScratchFolder scratch("unicode");
    ASSERT_TRUE(scratch.valid());
    const std::wstring folder = fromUtf8(scratch.path()) + L"\\\u0414\u043C\u0438\u0442\u0440\u0438\u0439";
    const std::wstring host = folder + L"\\windowHost.exe";
    ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
    ASSERT_TRUE(CopyFileW(fromUtf8(standinsFolder() + "\\windowHost.exe").c_str(), host.c_str(), FALSE));
    {
        ASSERT_TRUE(program_.start()) << program_.failure();
        HostProcess process;
        ASSERT_TRUE(process.start(host, "Host in a Cyrillic folder")) << process.failure();
        ASSERT_TRUE(bringToFront(process.window()));
        const std::wstring expected = fromUtf8(expectedLine(process.windowFacts(toUtf8(host))));
        std::wstring line;
        ASSERT_GE(waitForLineStartingWith(L"title='Host in a Cyrillic folder'", line), 0)
            << "no line for the host; log:\n" << listing(program_.lines());
        EXPECT_EQ(line, expected) << toUtf8(line);
    }
    DeleteFileW(host.c_str());
    RemoveDirectoryW(folder.c_str());
}

// Wine reporting Windows 98: the ANSI functions, as on the 95 family.
TEST_F(Unicode, Windows98GivesTheAnsiLine) {
    Windows98Copy copy(win98ProgramName);
    ASSERT_TRUE(copy.valid());
    LaunchOptions options;
    options.exePath = copy.path();
    ASSERT_TRUE(program_.start(options)) << program_.failure();

    UnicodeWindow window;
    ASSERT_TRUE(bringToFront(window.handle()));
    // What the ANSI functions give for this window.
    char title[256] = {};
    GetWindowTextA(window.handle(), title, sizeof title);
    char name[256] = {};
    GetClassNameA(window.handle(), name, sizeof name);
    ASSERT_NE(std::string(title), toUtf8(caption)) << "the code page holds every character after all";
    WindowFacts facts = ordinaryWindowFacts(title, name, window.rect(), window.style());
    facts.exe = fileNameOf(ownExePath());
    std::vector<std::string> seen;
    EXPECT_EQ(program_.waitForLineOf(GetCurrentProcessId(), title, seen), expectedLine(facts))
        << listing(seen);
}

}  // namespace
}  // namespace e2e
