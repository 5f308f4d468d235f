// Stand-ins for the platform functions that the inventory binds on first
// use, for the cases Wine cannot produce: hundreds of processes in a
// snapshot, a process that refuses one kind of access, a module list that
// cannot be read, a system without QueryFullProcessImageName. Installed
// through the binding's replace() and removed again after each test.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace fakes {

struct FakeProcess {
    DWORD id;
    std::string exe;
    bool opensForModules = true;  // OpenProcess with 0x410 succeeds
    bool listsModules = true;     // EnumProcessModules succeeds (else ERROR_PARTIAL_COPY)
    bool namesModule = true;      // GetModuleFileNameExW succeeds
    bool opensLimited = true;     // OpenProcess with 0x1000 succeeds
    bool opensQuery = true;       // OpenProcess with 0x400 alone succeeds
    DWORD parent = 0;             // the snapshot's th32ParentProcessID
};

// The processes the fakes report, in order.
extern std::vector<FakeProcess> processes;

// What the fakes saw.
extern int handlesOpened;                  // snapshots and processes
extern int handlesClosed;
extern std::vector<DWORD> openAccess;      // access asked by OpenProcess
extern int imageNameCalls;                 // QueryFullProcessImageNameW

// VDM: tasks by NTVDM process id, in enumeration order; a null entry stands
// for a task whose file name pointer is null.
struct FakeVdm {
    DWORD pid;
    std::vector<const char*> taskFiles;
};
extern std::vector<FakeVdm> vdms;

void installToolHelp();
// PSAPI, OpenProcess and, with `imageName`, QueryFullProcessImageNameW (as on
// Vista and later); without it, that function is missing.
void installPsapi(bool imageName);
void installVdm();
// Removes every stand-in and clears what the fakes saw.
void removeAll();

}  // namespace fakes
