// Naming the 16-bit Windows task that an NTVDM process hosts, through the
// VDMDBG enumeration callbacks.
#pragma once

#include <windows.h>

#include <string>

// The name unchanged, or, when it ends in NTVDM.EXE (any case), the file name
// of the 16-bit Windows task that process `pid` hosts.
std::string resolveNtvdmName(const std::string& name, DWORD pid);

// The file name of the last 16-bit task of NTVDM process `pid` that is not
// WOWEXEC.EXE, or empty text. Lets the program's window run once.
std::string getWowTaskName(DWORD pid);

// VDMDBG callbacks, with the platform's signatures.
BOOL WINAPI enumWowProcessProc(DWORD dwProcessId, DWORD dwAttributes, LPARAM lpUserDefined);
BOOL WINAPI enumWowTaskProc(DWORD dwThreadId, WORD hMod16, WORD hTask16, PSZ pszModName,
                            PSZ pszFileName, LPARAM lpUserDefined);

// A NUL-terminated ANSI text at `pointer`, at most 259 bytes of it. Empty text
// for a null pointer.
std::string strFromAnsiPtr(const char* pointer);

// The VDM lookup's state, valid only during getWowTaskName.
extern DWORD wowWantedPid;
extern std::string wowTaskResult;
