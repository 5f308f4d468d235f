// The process table: ids and executable paths of the running processes,
// through ToolHelp on the 95 family and through PSAPI on the NT family.
#include "inventory/basProcesses.h"

#include <cstddef>

#include "support/basOSinfo.h"
#include "support/basStrings.h"
#include "support/boundOnFirstUse.h"
#include "support/handles.h"

#if !defined(_WIN64)
// The record layout the 95 family and NT agree on.
static_assert(sizeof(PROCESSENTRY32) == 296, "PROCESSENTRY32 is 296 bytes");
static_assert(offsetof(PROCESSENTRY32, th32ProcessID) == 8, "th32ProcessID at offset 8");
static_assert(offsetof(PROCESSENTRY32, szExeFile) == 36, "szExeFile at offset 36");
#endif

namespace {

constexpr DWORD queryAndReadAccess = PROCESS_QUERY_INFORMATION | PROCESS_VM_READ;  // 0x410
constexpr DWORD moduleBufferBytes = 200;
constexpr int pathBufferLength = 260;
// EnumProcesses never reports this many bytes; the bound stops a misbehaving
// provider from doubling the buffer forever.
constexpr DWORD largestIdBuffer = 1u << 20;

// Which processes get their entry filled in: all, or only one.
struct Wanted {
    bool everyProcess;
    DWORD pid;
    bool includes(DWORD id) const { return everyProcess || id == pid; }
};

int listWithToolHelp(std::vector<DWORD>& processIds, std::vector<std::string>& processExePaths,
                     int capacity, Wanted wanted) {
    KernelHandle snapshot(bound::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    if (!snapshot.valid()) {
        return 0;
    }
    PROCESSENTRY32 record = {};
    record.dwSize = sizeof record;
    int k = 1;
    BOOL more = bound::Process32First(snapshot.get(), &record);
    // Stops one short of the capacity, leaving the last position empty.
    while (more && k < capacity) {
        if (wanted.includes(record.th32ProcessID)) {
            const std::string name = nTrim(std::string(record.szExeFile, sizeof record.szExeFile));
            processExePaths[k - 1] = resolveNtvdmName(name, record.th32ProcessID);
            processIds[k - 1] = record.th32ProcessID;
        }
        ++k;
        more = bound::Process32Next(snapshot.get(), &record);
    }
    return k - 1;
}

// The ids of all processes, in a buffer that doubles from 16 bytes until
// EnumProcesses leaves part of it unused.
std::vector<DWORD> enumerateProcessIds() {
    DWORD size = 8;
    DWORD reported = 96;  // more than the first size, so the first pass runs
    std::vector<DWORD> idBuffer;
    while (size <= reported && size < largestIdBuffer) {
        size *= 2;
        idBuffer.assign(size / sizeof(DWORD), 0);
        bound::EnumProcesses(idBuffer.data(), size, &reported);
    }
    // Never trust a report beyond the buffer that was handed over.
    const DWORD used = reported < size ? reported : size;
    idBuffer.resize(used / sizeof(DWORD));
    return idBuffer;
}

// The path of the executable of process `id`, or nothing when the process
// cannot be opened or its modules cannot be listed.
bool executableOf(DWORD id, std::string& path) {
    KernelHandle process(bound::OpenProcess(queryAndReadAccess, FALSE, id));
    if (!process.valid()) {
        return false;
    }
    HMODULE moduleHandles[200] = {};
    DWORD needed = 0;
    if (!bound::EnumProcessModules(process.get(), moduleHandles, moduleBufferBytes, &needed)) {
        return false;
    }
    // The first module is the executable; a failed call leaves the blanks.
    std::string buffer = blankBuffer(pathBufferLength + 1);
    bound::GetModuleFileNameExA(process.get(), moduleHandles[0], &buffer[0], pathBufferLength);
    path = nTrim(buffer);
    return true;
}

int listWithPsapi(std::vector<DWORD>& processIds, std::vector<std::string>& processExePaths,
                  int capacity, Wanted wanted) {
    if (!ensurePsapi()) {
        return 0;
    }
    const std::vector<DWORD> idBuffer = enumerateProcessIds();
    // With more ids than positions, the first ones reported get a position.
    const int count = smallerOf(static_cast<int>(idBuffer.size()), capacity);
    for (int i = 1; i <= count; ++i) {
        const DWORD id = idBuffer[i - 1];
        std::string path;
        if (wanted.includes(id) && executableOf(id, path)) {
            processExePaths[i - 1] = resolveNtvdmName(path, id);
            processIds[i - 1] = id;
        }
    }
    return count;
}

}  // namespace

int smallerOf(int a, int b) {
    return a < b ? a : b;
}

namespace {

int listProcesses(std::vector<DWORD>& processIds, std::vector<std::string>& processExePaths,
                  Wanted wanted) {
    const int capacity = smallerOf(static_cast<int>(processIds.size()),
                                   static_cast<int>(processExePaths.size()));
    if (!OSInfo.isNT) {
        return listWithToolHelp(processIds, processExePaths, capacity, wanted);
    }
    return listWithPsapi(processIds, processExePaths, capacity, wanted);
}

}  // namespace

int getProcessList(std::vector<DWORD>& processIds, std::vector<std::string>& processExePaths) {
    return listProcesses(processIds, processExePaths, Wanted{true, 0});
}

int getProcessListFor(std::vector<DWORD>& processIds, std::vector<std::string>& processExePaths,
                      DWORD wantedPid) {
    return listProcesses(processIds, processExePaths, Wanted{false, wantedPid});
}
