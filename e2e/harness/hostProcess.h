// A stand-in process of the tests (windowHost.exe, or the same program named
// ntvdm.exe) that shows one ordinary window whose caption it is given. It is
// asked to close, and ended if need be, when the object goes.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "e2e/harness/expectedLine.h"

namespace e2e {

class HostProcess {
public:
    HostProcess(const HostProcess&) = delete;
    HostProcess& operator=(const HostProcess&) = delete;
    HostProcess() = default;
    ~HostProcess();

    // Starts `exe` with `caption` as its command line and waits for its
    // window. False, with failure() saying why, when that does not happen.
    bool start(const std::string& exe, const std::string& caption);
    // The same for a path in any script.
    bool start(const std::wstring& exe, const std::string& caption);
    const std::string& failure() const { return failure_; }

    DWORD pid() const { return processInfo_.dwProcessId; }
    HWND window() const { return window_; }
    const std::string& caption() const { return caption_; }

    // What the log line should say about the window, as the platform
    // reports it now, with `exe` in the executable field.
    WindowFacts windowFacts(const std::string& exe) const;

    // Ends the process now: asks its window to close, and ends it if it
    // does not go.
    void stop();

private:
    PROCESS_INFORMATION processInfo_ = {};
    HWND window_ = nullptr;
    std::string caption_;
    std::string failure_;
};

// Processes of one program started for a while (windowHost.exe /nowindow
// makes a busy machine); they are ended when the object goes.
class ProcessCrowd {
public:
    explicit ProcessCrowd(std::string exe) : exe_(std::move(exe)) {}
    ~ProcessCrowd() { endAll(); }
    ProcessCrowd(const ProcessCrowd&) = delete;
    ProcessCrowd& operator=(const ProcessCrowd&) = delete;

    // Starts one more with `arguments`; false when it could not be started.
    bool start(const std::string& arguments);
    // Starts `count` more window-less ones.
    bool add(int count);
    int size() const { return static_cast<int>(processes_.size()); }
    void endAll();

private:
    std::string exe_;
    std::vector<HANDLE> processes_;
};

}  // namespace e2e
