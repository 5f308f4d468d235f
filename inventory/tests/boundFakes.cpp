#include "inventory/tests/boundFakes.h"

#include <cstring>

#include "support/boundOnFirstUse.h"

namespace fakes {

std::vector<FakeProcess> processes;
std::vector<DWORD> enumProcessesSizes;
int handlesOpened = 0;
int handlesClosed = 0;
std::vector<DWORD> openAccess;
DWORD enumProcessesReportOverride = 0;
std::vector<FakeVdm> vdms;

namespace {

// Handles are small made-up values: the snapshot, or 0x1000 + process index.
const HANDLE snapshotHandle = reinterpret_cast<HANDLE>(static_cast<INT_PTR>(0x5150));
std::size_t nextSnapshotEntry = 0;

HANDLE handleFor(std::size_t index) {
    return reinterpret_cast<HANDLE>(static_cast<INT_PTR>(0x1000 + index));
}

const FakeProcess* processFor(HANDLE handle) {
    const auto value = reinterpret_cast<INT_PTR>(handle);
    if (value < 0x1000 || static_cast<std::size_t>(value - 0x1000) >= processes.size()) {
        return nullptr;
    }
    return &processes[static_cast<std::size_t>(value - 0x1000)];
}

HANDLE WINAPI createSnapshot(DWORD flags, DWORD pid) {
    if (flags != TH32CS_SNAPPROCESS || pid != 0) {
        return INVALID_HANDLE_VALUE;
    }
    ++handlesOpened;
    nextSnapshotEntry = 0;
    return snapshotHandle;
}

BOOL fillEntry(HANDLE snapshot, LPPROCESSENTRY32 entry) {
    if (snapshot != snapshotHandle || entry->dwSize != sizeof(PROCESSENTRY32) ||
        nextSnapshotEntry >= processes.size()) {
        return FALSE;
    }
    const FakeProcess& process = processes[nextSnapshotEntry++];
    entry->th32ProcessID = process.id;
    std::memset(entry->szExeFile, 0, sizeof entry->szExeFile);
    std::strncpy(entry->szExeFile, process.exe.c_str(), sizeof entry->szExeFile - 1);
    return TRUE;
}

BOOL WINAPI process32First(HANDLE snapshot, LPPROCESSENTRY32 entry) {
    nextSnapshotEntry = 0;
    return fillEntry(snapshot, entry);
}

BOOL WINAPI process32Next(HANDLE snapshot, LPPROCESSENTRY32 entry) {
    return fillEntry(snapshot, entry);
}

BOOL WINAPI closeHandle(HANDLE handle) {
    ++handlesClosed;
    return handle != nullptr ? TRUE : FALSE;
}

BOOL WINAPI enumProcesses(DWORD* ids, DWORD cb, DWORD* bytesReturned) {
    enumProcessesSizes.push_back(cb);
    const std::size_t fits = cb / sizeof(DWORD);
    const std::size_t count = processes.size() < fits ? processes.size() : fits;
    for (std::size_t i = 0; i < count; ++i) {
        ids[i] = processes[i].id;
    }
    *bytesReturned = enumProcessesReportOverride != 0
                         ? enumProcessesReportOverride
                         : static_cast<DWORD>(count * sizeof(DWORD));
    return TRUE;
}

HANDLE WINAPI openProcess(DWORD access, BOOL, DWORD id) {
    openAccess.push_back(access);
    for (std::size_t i = 0; i < processes.size(); ++i) {
        if (processes[i].id == id && id != 0) {
            if (!processes[i].opens) {
                return nullptr;
            }
            ++handlesOpened;
            return handleFor(i);
        }
    }
    return nullptr;
}

BOOL WINAPI enumProcessModules(HANDLE process, HMODULE* modules, DWORD cb, LPDWORD needed) {
    const FakeProcess* found = processFor(process);
    if (found == nullptr || !found->listsModules || cb < sizeof(HMODULE)) {
        return FALSE;
    }
    modules[0] = reinterpret_cast<HMODULE>(static_cast<INT_PTR>(0x400000));
    *needed = sizeof(HMODULE);
    return TRUE;
}

DWORD WINAPI getModuleFileNameExA(HANDLE process, HMODULE module, LPSTR name, DWORD size) {
    const FakeProcess* found = processFor(process);
    if (found == nullptr || !found->namesModule ||
        module != reinterpret_cast<HMODULE>(static_cast<INT_PTR>(0x400000))) {
        return 0;
    }
    const std::size_t length = found->exe.size() < size ? found->exe.size() : size - 1;
    std::memcpy(name, found->exe.c_str(), length);
    name[length] = '\0';
    return static_cast<DWORD>(length);
}

INT WINAPI vdmEnumProcessWow(PROCESSENUMPROC callback, LPARAM user) {
    INT count = 0;
    for (const FakeVdm& vdm : vdms) {
        ++count;
        if (callback(vdm.pid, 0, user)) {
            break;
        }
    }
    return count;
}

INT WINAPI vdmEnumTaskWowEx(DWORD pid, TASKENUMPROCEX callback, LPARAM user) {
    INT count = 0;
    for (const FakeVdm& vdm : vdms) {
        if (vdm.pid != pid) {
            continue;
        }
        for (const char* file : vdm.taskFiles) {
            ++count;
            char module[] = "MODULE";
            if (callback(1, 1, 1, module, const_cast<PSZ>(file), user)) {
                return count;
            }
        }
    }
    return count;
}

}  // namespace

void installToolHelp() {
    bound::CreateToolhelp32Snapshot.replace(createSnapshot);
    bound::Process32First.replace(process32First);
    bound::Process32Next.replace(process32Next);
    bound::CloseHandle.replace(closeHandle);
}

void installPsapi() {
    bound::EnumProcesses.replace(enumProcesses);
    bound::OpenProcess.replace(openProcess);
    bound::EnumProcessModules.replace(enumProcessModules);
    bound::GetModuleFileNameExA.replace(getModuleFileNameExA);
    bound::CloseHandle.replace(closeHandle);
}

void installVdm() {
    bound::VDMEnumProcessWOW.replace(vdmEnumProcessWow);
    bound::VDMEnumTaskWOWEx.replace(vdmEnumTaskWowEx);
}

void removeAll() {
    bound::CreateToolhelp32Snapshot.forget();
    bound::Process32First.forget();
    bound::Process32Next.forget();
    bound::CloseHandle.forget();
    bound::EnumProcesses.forget();
    bound::OpenProcess.forget();
    bound::EnumProcessModules.forget();
    bound::GetModuleFileNameExA.forget();
    bound::VDMEnumProcessWOW.forget();
    bound::VDMEnumTaskWOWEx.forget();
    processes.clear();
    enumProcessesSizes.clear();
    openAccess.clear();
    vdms.clear();
    handlesOpened = 0;
    handlesClosed = 0;
    enumProcessesReportOverride = 0;
}

}  // namespace fakes
