// Naming the 16-bit Windows task that an NTVDM process hosts, through the
// VDMDBG enumeration callbacks.
#pragma once

#include <windows.h>

#include <string>

// The name unchanged, or, when it ends in NTVDM.EXE (any case), the file name
// of the 16-bit Windows task that process `pid` hosts (getWowTaskName).
std::string resolveNtvdmName(const std::string& name, DWORD pid, DWORD thread = 0);

// The file name of the 16-bit task of NTVDM process `pid` whose thread is
// `thread`, the one that owns the window; where none is (or no thread is
// given), the last task that is not WOWEXEC.EXE. Empty text when there is no
// such task. Lets the program's window run once, unless message steps are
// held (messageStep.h).
std::string getWowTaskName(DWORD pid, DWORD thread = 0);

// VDMDBG callbacks, with the platform's signatures.
BOOL WINAPI enumWowProcessProc(DWORD dwProcessId, DWORD dwAttributes, LPARAM lpUserDefined);
BOOL WINAPI enumWowTaskProc(DWORD dwThreadId, WORD hMod16, WORD hTask16, PSZ pszModName,
                            PSZ pszFileName, LPARAM lpUserDefined);

// A NUL-terminated ANSI text at `pointer`, at most 259 bytes of it. Empty text
// for a null pointer.
std::string strFromAnsiPtr(const char* pointer);

// The VDM lookup's state, valid only during getWowTaskName.
extern DWORD wowWantedPid;
extern DWORD wowWantedThread;
extern std::string wowTaskResult;
extern std::string wowThreadTask;
