// How many kernel handles another process holds open.
//
// Wine 8 answers GetProcessHandleCount and
// NtQueryInformationProcess(ProcessHandleCount) with 0 for every process,
// its own included, so the count is taken from the handle table itself:
// every handle value is tried with DuplicateHandle, which succeeds only for
// a handle that is open in that process.
#pragma once

#include <windows.h>

namespace e2e {

// The number of open handles of `process`, which must have been opened with
// PROCESS_DUP_HANDLE; -1 when not one value could be duplicated (the
// process is gone, or the access is missing).
int countOpenHandles(HANDLE process);

}  // namespace e2e
