// A stand-in process of the tests (windowHost.exe, or the same program named
// ntvdm.exe) that shows one ordinary window whose caption it is given. It is
// asked to close, and ended if need be, when the object goes.
#pragma once

#include <windows.h>

#include <string>

#include "e2e/harness/expectedLine.h"

namespace e2e {

class HostProcess {
public:
    HostProcess() = default;
    ~HostProcess();
    HostProcess(const HostProcess&) = delete;
    HostProcess& operator=(const HostProcess&) = delete;

    // Starts `exe` with `caption` as its command line and waits for its
    // window. False, with failure() saying why, when that does not happen.
    bool start(const std::string& exe, const std::string& caption);
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

}  // namespace e2e
