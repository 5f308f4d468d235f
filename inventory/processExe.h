// The executable file of one process.
#pragma once

#include <windows.h>

#include <string>

// The weak access to a process that Vista and later grant for questions
// about it (PROCESS_QUERY_LIMITED_INFORMATION); earlier systems refuse it.
constexpr DWORD limitedQueryAccess = 0x1000;

// The full path of the executable of process `pid` on the NT family (PSAPI
// must have loaded), or its file name from the ToolHelp snapshot on the 95
// family; the 16-bit task's file name for an NTVDM process. Empty text when
// the process cannot be asked.
std::string exeOfProcess(DWORD pid, DWORD thread = 0);

// Process `pid` in one ToolHelp snapshot (the 95 family): its file name, and
// the id and file name of the process that started it. The family keeps no
// creation times, so the parent's id is taken as it stands.
struct SnapshotEntry {
    std::string exe;
    DWORD parentPid = 0;
    std::string parentExe;
};
SnapshotEntry processInSnapshot(DWORD pid);
