// One process of the NT family, opened once for everything a lookup asks
// of it: its executable, when it was created, its parent and its command
// line. A short-lived thief may be gone between two opens, and every open
// is a round trip to the system.
#pragma once

#include <windows.h>
#include <winternl.h>

#include "support/kernelHandle.h"

// The weak access to a process that Vista and later grant for questions
// about it (PROCESS_QUERY_LIMITED_INFORMATION); earlier systems refuse it.
constexpr DWORD limitedQueryAccess = 0x1000;

class OpenedProcess {
public:
    // Opens process `pid` with the first access it grants of: query and
    // read (the module list and the command line in its memory need read),
    // the limited query access, the query access alone. Without any, the
    // process cannot be asked (valid() is false).
    explicit OpenedProcess(DWORD pid);
    OpenedProcess(const OpenedProcess&) = delete;
    OpenedProcess& operator=(const OpenedProcess&) = delete;

    DWORD pid() const { return pid_; }
    bool valid() const { return handle_.valid(); }
    HANDLE handle() const { return handle_.get(); }
    // Whether the handle may read the process's memory.
    bool canRead() const { return (access_ & PROCESS_VM_READ) != 0; }

    // When the process was created; false when the system does not say.
    bool creationTime(FILETIME& created) const;

    // The system's basic information (the parent's id, the address of the
    // process environment block), asked once however often it is wanted;
    // null when the system refuses it.
    const PROCESS_BASIC_INFORMATION* basicInformation();

    // The id of the process that started this one, or 0.
    DWORD parentId();

private:
    DWORD pid_;
    DWORD access_ = 0;  // set by the open, before handle_ is initialised
    KernelHandle handle_;
    bool basicAsked_ = false;
    bool basicKnown_ = false;
    PROCESS_BASIC_INFORMATION basic_ = {};
};
