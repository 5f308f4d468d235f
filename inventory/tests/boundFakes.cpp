#include "inventory/tests/boundFakes.h"

#include <cstring>

#include "support/boundOnFirstUse.h"

namespace fakes {

std::vector<FakeProcess> processes;
int handlesOpened = 0;
int handlesClosed = 0;
std::vector<DWORD> openAccess;
int imageNameCalls = 0;
std::vector<FakeVdm> vdms;

namespace {

// Handles are small made-up values: the snapshot, or 0x1000 + process index
// (0x2000 + index when opened for limited access only, 0x3000 + index for
// query access alone).
const HANDLE snapshotHandle = reinterpret_cast<HANDLE>(static_cast<INT_PTR>(0x5150));
constexpr INT_PTR fullBase = 0x1000;
constexpr INT_PTR limitedBase = 0x2000;
constexpr INT_PTR queryBase = 0x3000;
const HMODULE firstModule = reinterpret_cast<HMODULE>(static_cast<INT_PTR>(0x400000));
std::size_t nextSnapshotEntry = 0;

const FakeProcess* processFor(HANDLE handle, INT_PTR base) {
    const auto value = reinterpret_cast<INT_PTR>(handle) - base;
    if (value < 0 || static_cast<std::size_t>(value) >= processes.size()) {
        return nullptr;
    }
    return &processes[static_cast<std::size_t>(value)];
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
    entry->th32ParentProcessID = process.parent;
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

HANDLE WINAPI openProcess(DWORD access, BOOL, DWORD id) {
    openAccess.push_back(access);
    for (std::size_t i = 0; i < processes.size(); ++i) {
        const FakeProcess& process = processes[i];
        if (process.id != id || id == 0) {
            continue;
        }
        const bool limited = access == 0x1000;
        const bool query = access == PROCESS_QUERY_INFORMATION;
        if (!(limited ? process.opensLimited : query ? process.opensQuery : process.opensForModules)) {
            SetLastError(ERROR_ACCESS_DENIED);
            return nullptr;
        }
        ++handlesOpened;
        const INT_PTR base = limited ? limitedBase : query ? queryBase : fullBase;
        return reinterpret_cast<HANDLE>(base + static_cast<INT_PTR>(i));
    }
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
}

BOOL WINAPI enumProcessModules(HANDLE process, HMODULE* modules, DWORD cb, LPDWORD needed) {
    const FakeProcess* found = processFor(process, fullBase);
    if (found == nullptr || cb < sizeof(HMODULE)) {
        return FALSE;
    }
    if (!found->listsModules) {
        SetLastError(ERROR_PARTIAL_COPY);
        return FALSE;
    }
    modules[0] = firstModule;
    *needed = sizeof(HMODULE);
    return TRUE;
}

// The fakes' paths are ASCII; the system hands them over as UTF-16.
std::wstring wide(const std::string& text) {
    return std::wstring(text.begin(), text.end());
}

DWORD WINAPI getModuleFileNameExW(HANDLE process, HMODULE module, LPWSTR name, DWORD size) {
    const FakeProcess* found = processFor(process, fullBase);
    if (found == nullptr || !found->namesModule || module != firstModule) {
        return 0;
    }
    const std::wstring path = wide(found->exe);
    const std::size_t length = path.size() < size ? path.size() : size - 1;
    std::memcpy(name, path.c_str(), length * sizeof(wchar_t));
    name[length] = L'\0';
    return static_cast<DWORD>(length);
}

BOOL WINAPI queryFullProcessImageNameW(HANDLE process, DWORD flags, LPWSTR name, PDWORD size) {
    ++imageNameCalls;
    // Any of the three accesses may ask.
    const FakeProcess* found = processFor(process, limitedBase);
    found = found != nullptr ? found : processFor(process, fullBase);
    found = found != nullptr ? found : processFor(process, queryBase);
    if (found == nullptr || flags != 0 || found->exe.size() >= *size) {
        return FALSE;
    }
    const std::wstring path = wide(found->exe);
    std::memcpy(name, path.c_str(), (path.size() + 1) * sizeof(wchar_t));
    *size = static_cast<DWORD>(path.size());
    return TRUE;
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
            // Each task its thread: 1000, 1001 and on, in order.
            if (callback(static_cast<DWORD>(999 + count), 1, 1, module, const_cast<PSZ>(file), user)) {
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

void installPsapi(bool imageName) {
    bound::OpenProcess.replace(openProcess);
    bound::EnumProcessModules.replace(enumProcessModules);
    bound::GetModuleFileNameExW.replace(getModuleFileNameExW);
    bound::QueryFullProcessImageNameW.replace(imageName ? queryFullProcessImageNameW : nullptr);
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
    bound::OpenProcess.forget();
    bound::EnumProcessModules.forget();
    bound::GetModuleFileNameExW.forget();
    bound::QueryFullProcessImageNameW.forget();
    bound::VDMEnumProcessWOW.forget();
    bound::VDMEnumTaskWOWEx.forget();
    processes.clear();
    openAccess.clear();
    vdms.clear();
    handlesOpened = 0;
    handlesClosed = 0;
    imageNameCalls = 0;
}

}  // namespace fakes
