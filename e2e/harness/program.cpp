#include "e2e/harness/program.h"

#include <algorithm>
#include <cstring>

#include "e2e/harness/environment.h"
#include "e2e/harness/expectedLine.h"
#include "e2e/harness/listBox.h"
#include "e2e/harness/modalLoops.h"
#include "e2e/harness/relayTrace.h"
#include "e2e/harness/windowSearch.h"

namespace e2e {

namespace {

// The program's window class and control ids, as a user of the program
// sees them (for example in a window spy).
const char programClassName[] = "TarnwickForm1";
const char panelClassName[] = "TarnwickPanel";
constexpr int list1Id = 101;
constexpr int cmdClearId = 102;
constexpr int chkTopMostId = 103;
constexpr int cmdCloseId = IDCANCEL;

// Only these entry points (and those a test adds) are traced as calls;
// window procedures are traced by the relay channel in any case.
const char tracedFunctions[] = "winmm.timeBeginPeriod;winmm.timeEndPeriod";

// Wine reads the relay filter from the registry when a process starts.
bool setRelayFilter(const std::string& moreFunctions) {
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Wine\\Debug", 0, nullptr, 0, KEY_SET_VALUE,
                        nullptr, &key, nullptr) != ERROR_SUCCESS) {
        return false;
    }
    std::string filter = tracedFunctions;
    if (!moreFunctions.empty()) {
        filter += ";" + moreFunctions;
    }
    const LONG result =
        RegSetValueExA(key, "RelayInclude", 0, REG_SZ,
                       reinterpret_cast<const BYTE*>(filter.c_str()),
                       static_cast<DWORD>(filter.size() + 1));
    RegCloseKey(key);
    return result == ERROR_SUCCESS;
}

// The part of "NAME=value" up to and including the "=".
std::string variableNameOf(const std::string& entry) {
    const std::size_t equals = entry.find('=', 1);
    return equals == std::string::npos ? entry : entry.substr(0, equals + 1);
}

// Orders environment entries as Windows keeps them: by name, ignoring case.
bool comesBefore(const std::string& first, const std::string& second) {
    const std::string a = variableNameOf(first);
    const std::string b = variableNameOf(second);
    return _stricmp(a.c_str(), b.c_str()) < 0;
}

// This process's environment with `extra` entries in place of any variables
// of the same names, in order.
std::string environmentWith(const std::vector<std::string>& extra) {
    std::vector<std::string> entries;
    char* strings = GetEnvironmentStringsA();
    for (const char* entry = strings; *entry != '\0'; entry += std::strlen(entry) + 1) {
        const std::string name = variableNameOf(entry);
        bool replaced = false;
        for (const std::string& added : extra) {
            replaced = replaced || _stricmp(variableNameOf(added).c_str(), name.c_str()) == 0;
        }
        if (!replaced) {
            entries.push_back(entry);
        }
    }
    FreeEnvironmentStringsA(strings);
    entries.insert(entries.end(), extra.begin(), extra.end());
    std::stable_sort(entries.begin(), entries.end(), comesBefore);
    std::string block;
    for (const std::string& entry : entries) {
        block.append(entry);
        block.push_back('\0');
    }
    block.push_back('\0');
    return block;
}

class FileHandle {
public:
    explicit FileHandle(HANDLE handle) : handle_(handle) {}
    ~FileHandle() {
        if (handle_ != INVALID_HANDLE_VALUE) {
            CloseHandle(handle_);
        }
    }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    HANDLE get() const { return handle_; }
    bool valid() const { return handle_ != INVALID_HANDLE_VALUE; }

private:
    HANDLE handle_;
};

HANDLE openForReading(const std::string& path) {
    return CreateFileA(path.c_str(), GENERIC_READ,
                       FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                       OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
}

long long fileSize(const std::string& path) {
    FileHandle file(openForReading(path));
    if (!file.valid()) {
        return 0;
    }
    DWORD high = 0;
    const DWORD low = GetFileSize(file.get(), &high);
    return (static_cast<long long>(high) << 32) | low;
}

std::string readFrom(const std::string& path, long long offset) {
    FileHandle file(openForReading(path));
    std::string content;
    if (!file.valid()) {
        return content;
    }
    LONG high = static_cast<LONG>(offset >> 32);
    SetFilePointer(file.get(), static_cast<LONG>(offset & 0xFFFFFFFF), &high, FILE_BEGIN);
    char chunk[65536];
    DWORD got = 0;
    while (ReadFile(file.get(), chunk, sizeof chunk, &got, nullptr) && got > 0) {
        content.append(chunk, got);
    }
    return content;
}

}  // namespace

HWND findProgramWindow(DWORD pid) {
    return findWindow(programClassName, pid);
}

void pressByKeyboard(HWND button) {
    const LPARAM spaceScanCode = 0x39 << 16;
    const LPARAM released = static_cast<LPARAM>(0xC0000000u);  // was down, goes up
    PostMessageA(button, WM_KEYDOWN, VK_SPACE, 1 | spaceScanCode);
    PostMessageA(button, WM_KEYUP, VK_SPACE, 1 | spaceScanCode | released);
}

bool clickButton(HWND button) {
    DWORD_PTR result = 0;
    return SendMessageTimeoutA(button, BM_CLICK, 0, 0, SMTO_NORMAL, defaultTimeoutMs, &result) != 0;
}

bool doubleClickLine(HWND list, int index) {
    RECT item = {0, 0, 0, 0};
    if (!lineRect(list, index, item)) {
        return false;
    }
    const LPARAM where = MAKELPARAM((item.left + item.right) / 2, (item.top + item.bottom) / 2);
    PostMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, where);
    PostMessageA(list, WM_LBUTTONUP, 0, where);
    PostMessageA(list, WM_LBUTTONDBLCLK, MK_LBUTTON, where);
    PostMessageA(list, WM_LBUTTONUP, 0, where);
    return true;
}

Program::~Program() {
    if (processInfo_.hProcess != nullptr) {
        if (!hasExited()) {
            TerminateProcess(processInfo_.hProcess, 1);
            WaitForSingleObject(processInfo_.hProcess, defaultTimeoutMs);
        }
        CloseHandle(processInfo_.hThread);
        CloseHandle(processInfo_.hProcess);
    }
}

bool Program::start(const LaunchOptions& options) {
    // The desktop is started by the first process that needs it, and inherits
    // that process's debug channels; let it be this one, not a traced program.
    GetDesktopWindow();
    if (!launch(options)) {
        return false;
    }
    if (options.beforeFirstTick != LaunchOptions::BeforeFirstTick::nothing) {
        return holdUntilWindowAndAct(options.beforeFirstTick);
    }
    if (!waitUntil([this] { return findWindowAndControls(); })) {
        failure_ = "the program's window and its controls did not appear";
        return false;
    }
    if (!options.waitForFirstLine) {
        return true;
    }
    std::vector<std::string> seen;
    if (!waitForLines([](const std::vector<std::string>& lines) { return !lines.empty(); }, seen)) {
        failure_ = "the polling loop wrote no line";
        return false;
    }
    return true;
}

bool Program::launch(const LaunchOptions& options) {
    const std::string exe = options.exePath.empty() ? programPath() : options.exePath;
    if (exe.empty()) {
        failure_ = "TARNWICK_E2E_EXE does not name the program";
        return false;
    }
    std::vector<std::string> extraEnvironment = options.environment;
    if (options.traceCalls) {
        if (stderrLogPath().empty()) {
            failure_ = "TARNWICK_E2E_STDERR_LOG does not name the standard error log";
            return false;
        }
        if (!setRelayFilter(options.moreTracedFunctions)) {
            failure_ = "could not set the relay filter in the registry";
            return false;
        }
        traceStart_ = fileSize(stderrLogPath());
        extraEnvironment.push_back("WINEDEBUG=+relay");
    }
    std::string environment;
    if (!extraEnvironment.empty()) {
        environment = environmentWith(extraEnvironment);
    }
    std::string commandLine = "\"" + exe + "\"";
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    const DWORD flags =
        options.beforeFirstTick != LaunchOptions::BeforeFirstTick::nothing ? DEBUG_ONLY_THIS_PROCESS : 0;
    const char* currentDirectory =
        options.currentDirectory.empty() ? nullptr : options.currentDirectory.c_str();
    const auto create = [&] {
        return CreateProcessA(exe.c_str(), &commandLine[0], nullptr, nullptr, FALSE, flags,
                              environment.empty() ? nullptr : &environment[0], currentDirectory, &startup,
                              &processInfo_) != FALSE;
    };
    // Wine now and then fails a start with an internal error, as when the
    // last program's end is still under way: one more try.
    bool created = create();
    if (!created && GetLastError() == ERROR_INTERNAL_ERROR) {
        Sleep(200);
        created = create();
    }
    if (!created) {
        failure_ = "CreateProcessA failed for " + exe + " with error " +
                   std::to_string(GetLastError());
        processInfo_ = PROCESS_INFORMATION{};
        return false;
    }
    return true;
}

bool Program::holdUntilWindowAndAct(LaunchOptions::BeforeFirstTick action) {
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < defaultTimeoutMs) {
        DEBUG_EVENT event = {};
        if (!WaitForDebugEvent(&event, 100)) {
            continue;
        }
        DWORD status = DBG_CONTINUE;
        switch (event.dwDebugEventCode) {
        case CREATE_PROCESS_DEBUG_EVENT:
            if (event.u.CreateProcessInfo.hFile != nullptr) {
                CloseHandle(event.u.CreateProcessInfo.hFile);
            }
            break;
        case LOAD_DLL_DEBUG_EVENT:
            if (event.u.LoadDll.hFile != nullptr) {
                CloseHandle(event.u.LoadDll.hFile);
            }
            break;
        case EXCEPTION_DEBUG_EVENT:
            if (event.u.Exception.ExceptionRecord.ExceptionCode != EXCEPTION_BREAKPOINT) {
                status = DBG_EXCEPTION_NOT_HANDLED;
            }
            break;
        default:
            break;
        }
        const bool exited = event.dwDebugEventCode == EXIT_PROCESS_DEBUG_EVENT;
        // The program stands still until the event is continued.
        const bool pressed = !exited && findWindowAndControls();
        if (pressed && action == LaunchOptions::BeforeFirstTick::pressClose) {
            pressByKeyboard(controls_.closeButton);
        } else if (pressed && action == LaunchOptions::BeforeFirstTick::startMoveLoop) {
            startMoveLoop(window_);
        } else if (pressed) {
            PostThreadMessageA(mainThreadId(), WM_QUIT, 0, 0);
        }
        ContinueDebugEvent(event.dwProcessId, event.dwThreadId, status);
        if (pressed) {
            DebugActiveProcessStop(pid());
            return true;
        }
        if (exited) {
            failure_ = "the program ended before its window could be found";
            return false;
        }
    }
    DebugActiveProcessStop(pid());
    failure_ = "no debug event came while the program's window existed";
    return false;
}

bool Program::findWindowAndControls() {
    window_ = findProgramWindow(pid());
    if (window_ == nullptr) {
        return false;
    }
    controls_.list = GetDlgItem(window_, list1Id);
    controls_.panel = FindWindowExA(window_, nullptr, panelClassName, nullptr);
    if (controls_.list == nullptr || controls_.panel == nullptr) {
        return false;
    }
    controls_.clearButton = GetDlgItem(controls_.panel, cmdClearId);
    controls_.topMostBox = GetDlgItem(controls_.panel, chkTopMostId);
    controls_.closeButton = GetDlgItem(controls_.panel, cmdCloseId);
    return controls_.clearButton != nullptr && controls_.topMostBox != nullptr && controls_.closeButton != nullptr;
}

std::vector<std::string> Program::lines() const {
    std::vector<std::string> read;
    if (controls_.list == nullptr || !readListBoxLines(controls_.list, read)) {
        read.clear();
    }
    return read;
}

bool Program::waitForLines(const std::function<bool(const std::vector<std::string>&)>& condition,
                           std::vector<std::string>& lastSeen, DWORD timeoutMs) const {
    return waitUntil(
        [&] {
            lastSeen = lines();
            return condition(lastSeen);
        },
        timeoutMs);
}

std::string Program::waitForLineOf(DWORD pid, const std::string& title,
                                   std::vector<std::string>& lastSeen, DWORD timeoutMs) const {
    const std::string start = "title='" + title + "'  cls='";
    std::string found;
    waitForLines(
        [&](const std::vector<std::string>& lines) {
            for (const std::string& line : linesOfProcess(lines, pid)) {
                if (line.compare(0, start.size(), start) == 0) {
                    found = line;
                    return true;
                }
            }
            return false;
        },
        lastSeen, timeoutMs);
    return found;
}

std::string Program::lineOf(DWORD pid, const std::string& title) const {
    std::vector<std::string> seen;
    const std::string line = waitForLineOf(pid, title, seen);
    if (line.empty()) {
        return "(no line for '" + title + "'; the log:\n" + listing(seen) + ")";
    }
    return line;
}

bool Program::letTheLoopRun(int answers) const {
    for (int i = 0; i < answers; ++i) {
        if (listBoxCount(controls_.list) < 0) {
            return false;
        }
        pumpMessages();
    }
    return true;
}

bool Program::hasExited() const {
    return processInfo_.hProcess != nullptr &&
           WaitForSingleObject(processInfo_.hProcess, 0) == WAIT_OBJECT_0;
}

bool Program::waitForExit(DWORD timeoutMs) const {
    return processInfo_.hProcess != nullptr && waitForObject(processInfo_.hProcess, timeoutMs);
}

DWORD Program::exitCode() const {
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(processInfo_.hProcess, &code);
    return code;
}

std::vector<std::string> Program::trace() const {
    const std::string path = stderrLogPath();
    if (path.empty()) {
        return {};
    }
    return traceLinesOfThread(readFrom(path, traceStart_), mainThreadId());
}

}  // namespace e2e
