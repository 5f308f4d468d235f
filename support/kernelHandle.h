// The owner of a kernel object handle, closed on every path.
#pragma once

#include <windows.h>

// A kernel object handle: a process or a ToolHelp snapshot. OpenProcess
// fails with NULL and CreateToolhelp32Snapshot with INVALID_HANDLE_VALUE; a
// bound function that could not be found also gives NULL. Neither value is
// ever closed. The handle is closed through the bound CloseHandle.
class KernelHandle {
public:
    explicit KernelHandle(HANDLE handle) : handle_(handle) {}
    KernelHandle(const KernelHandle&) = delete;
    KernelHandle& operator=(const KernelHandle&) = delete;
    ~KernelHandle();
    bool valid() const { return handle_ != nullptr && handle_ != INVALID_HANDLE_VALUE; }
    HANDLE get() const { return handle_; }

private:
    HANDLE handle_;
};
