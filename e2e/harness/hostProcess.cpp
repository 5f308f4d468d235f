#include "e2e/harness/hostProcess.h"

#include "e2e/harness/text.h"
#include "e2e/harness/waiting.h"
#include "e2e/harness/windowSearch.h"

namespace e2e {

namespace {

const char hostClassName[] = "TarnwickTestHost";

}  // namespace

HostProcess::~HostProcess() {
    stop();
}

bool HostProcess::start(const std::string& exe, const std::string& caption) {
    return start(fromAnsi(exe), caption);
}

bool HostProcess::start(const std::wstring& exe, const std::string& caption) {
    stop();
    caption_ = caption;
    std::wstring commandLine = L"\"" + exe + L"\" " + std::wstring(caption.begin(), caption.end());
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    if (!CreateProcessW(exe.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &processInfo_)) {
        failure_ = "CreateProcessW failed with error " + std::to_string(GetLastError());
        processInfo_ = PROCESS_INFORMATION{};
        return false;
    }
    const bool shown = waitUntil([this] {
        window_ = findWindow(hostClassName, processInfo_.dwProcessId, true);
        return window_ != nullptr;
    });
    if (!shown) {
        failure_ = "the window of the host process did not appear";
    }
    return shown;
}

WindowFacts HostProcess::windowFacts(const std::string& exe) const {
    WindowFacts facts;
    facts.title = caption_;
    facts.className = hostClassName;
    facts.visible = IsWindowVisible(window_) != FALSE;
    GetWindowRect(window_, &facts.rect);
    facts.exe = exe;
    facts.pid = pid();
    facts.style = static_cast<DWORD>(GetWindowLongA(window_, GWL_STYLE));
    facts.iconic = IsIconic(window_) ? 1 : 0;
    return facts;
}

void HostProcess::stop() {
    if (processInfo_.hProcess == nullptr) {
        return;
    }
    if (window_ != nullptr) {
        PostMessageA(window_, WM_CLOSE, 0, 0);
    }
    if (!waitForObject(processInfo_.hProcess, defaultTimeoutMs)) {
        TerminateProcess(processInfo_.hProcess, 1);
        WaitForSingleObject(processInfo_.hProcess, defaultTimeoutMs);
    }
    CloseHandle(processInfo_.hThread);
    CloseHandle(processInfo_.hProcess);
    processInfo_ = PROCESS_INFORMATION{};
    window_ = nullptr;
}

bool ProcessCrowd::start(const std::string& arguments) {
    std::string commandLine = "\"" + exe_ + "\" " + arguments;
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info = {};
    if (!CreateProcessA(exe_.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &info)) {
        return false;
    }
    CloseHandle(info.hThread);
    processes_.push_back(info.hProcess);
    return true;
}

bool ProcessCrowd::add(int count) {
    for (int i = 0; i < count; ++i) {
        if (!start("/nowindow")) {
            return false;
        }
    }
    return true;
}

void ProcessCrowd::endAll() {
    for (HANDLE process : processes_) {
        TerminateProcess(process, 0);
    }
    for (HANDLE process : processes_) {
        WaitForSingleObject(process, defaultTimeoutMs);
        CloseHandle(process);
    }
    processes_.clear();
}

}  // namespace e2e
