// Stand-ins for the platform functions that the inventory binds on first
// use, for the cases Wine cannot produce: hundreds of processes, a process
// that refuses to open, a provider that reports odd sizes. Installed through
// the binding's replace() and removed again after each test.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace fakes {

struct FakeProcess {
    DWORD id;
    std::string exe;
    bool opens = true;         // OpenProcess succeeds
    bool listsModules = true;  // EnumProcessModules succeeds
    bool namesModule = true;   // GetModuleFileNameExA succeeds
};

// The processes the fakes report, in order.
extern std::vector<FakeProcess> processes;

// What the fakes saw.
extern std::vector<DWORD> enumProcessesSizes;  // cb of each EnumProcesses call
extern int handlesOpened;                      // snapshots and processes
extern int handlesClosed;
extern std::vector<DWORD> openAccess;          // access asked by OpenProcess
// When non-zero, EnumProcesses claims this many bytes whatever it was given.
extern DWORD enumProcessesReportOverride;

// VDM: tasks by NTVDM process id, in enumeration order; a null entry stands
// for a task whose file name pointer is null.
struct FakeVdm {
    DWORD pid;
    std::vector<const char*> taskFiles;
};
extern std::vector<FakeVdm> vdms;

void installToolHelp();
void installPsapi();
void installVdm();
// Removes every stand-in and clears what the fakes saw.
void removeAll();

}  // namespace fakes
