// The executable file of one process.
#pragma once

#include <windows.h>

#include <string>

// The full path of the executable of process `pid` on the NT family (PSAPI
// must have loaded), or its file name from the ToolHelp snapshot on the 95
// family; the 16-bit task's file name for an NTVDM process. Empty text when
// the process cannot be asked.
std::string exeOfProcess(DWORD pid);
