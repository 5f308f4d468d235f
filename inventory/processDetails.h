// What is read of a window's process besides its executable: the process
// that started it, and the command lines of both. A thief is often a console
// or a script host that something else started; its parent and the script's
// path name the culprit. Such a process may be gone a moment later, so all
// of it is read at the change.
#pragma once

#include <windows.h>

#include <string>

struct ProcessDetails {
    DWORD parentPid = 0;  // 0: not known, or no longer the process that started it
    std::string parentExe;
    std::string commandLine;
    std::string parentCommandLine;
};

// A Store app's frame (class ApplicationFrameWindow) belongs to the frame
// host; the line names the app's process inside it once the app's window is
// there, and this names the host.
struct FrameHost {
    DWORD pid = 0;  // 0: the window is no such frame
    std::string exe;
};

// Whether the process now holding the id of a child's parent is the process
// that started the child: created no later than the child. One that took
// the id after the parent ended was created after it.
bool parentStillSame(const FILETIME& parentCreated, const FILETIME& childCreated);

class OpenedProcess;

// The details of an opened process on the NT family, for which the parent
// is opened once; `nameParent`: the parent's executable may be asked (PSAPI
// is settled). Kept by process, its id and creation time, so that a storm
// of one thief reads them once; details kept while the parent could not be
// named are read again once it can. A process that could not be opened
// gives empty details.
ProcessDetails detailsOfProcess(OpenedProcess& process, bool nameParent);
