// The executable file of one process.
#pragma once

#include <windows.h>

#include <string>

class OpenedProcess;

// The full path of the executable of an opened process on the NT family
// (PSAPI must have loaded); for an NTVDM process, the file name of its
// 16-bit task whose thread is `thread` (wowTasks.h). Empty text when the
// process cannot be asked.
std::string exeOfProcess(const OpenedProcess& process, DWORD thread = 0);

// The same for process `pid`, which it opens once, for a caller that has
// only the id; on the 95 family the file name from the ToolHelp snapshot.
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
