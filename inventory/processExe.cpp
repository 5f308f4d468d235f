// The executable of one process: from the ToolHelp snapshot on the 95
// family, on the NT family from the system's image name (Vista and later)
// or else through PSAPI. The image name is one question to the system and
// needs only a weak kind of access, so it also names a 64-bit process seen
// from the 32-bit program, or an elevated or protected one. PSAPI reads the
// first module's file out of the process's own memory, walking its module
// list: a few milliseconds under Wine, a long time for a pass to stand still.
#include "inventory/processExe.h"

#include <cstddef>
#include <vector>

#include "inventory/openedProcess.h"
#include "inventory/wowTasks.h"
#include "support/basOSinfo.h"
#include "support/basStrings.h"
#include "support/boundOnFirstUse.h"
#include "support/kernelHandle.h"
#include "support/systemText.h"

#if !defined(_WIN64)
// The record layout the 95 family and NT agree on.
static_assert(sizeof(PROCESSENTRY32) == 296, "PROCESSENTRY32 is 296 bytes");
static_assert(offsetof(PROCESSENTRY32, th32ProcessID) == 8, "th32ProcessID at offset 8");
static_assert(offsetof(PROCESSENTRY32, szExeFile) == 36, "szExeFile at offset 36");
#endif

namespace {

constexpr DWORD moduleBufferBytes = 200;
constexpr int pathBufferLength = 260;
constexpr DWORD imageNameBufferLength = 32768;  // the longest path Windows knows
// A snapshot never holds this many processes; the bound stops a provider
// that never says "no more".
constexpr int mostSnapshotRecords = 1 << 16;

// The file of the process's first module, which is its executable.
bool exeFromFirstModule(const OpenedProcess& process, std::string& path) {
    if (!process.canRead()) {
        return false;
    }
    HMODULE moduleHandles[200] = {};
    DWORD needed = 0;
    if (!bound::EnumProcessModules(process.handle(), moduleHandles, moduleBufferBytes, &needed)) {
        return false;
    }
    std::wstring buffer(pathBufferLength + 1, L' ');
    bound::GetModuleFileNameExW(process.handle(), moduleHandles[0], &buffer[0], pathBufferLength);
    path = nTrim(textFromWide(buffer.data(), buffer.size()));
    return !path.empty();
}

// The process's image as Vista and later name it; false before Vista.
bool exeFromImageName(const OpenedProcess& process, std::string& path) {
    if (!bound::QueryFullProcessImageNameW.available()) {
        return false;
    }
    std::wstring buffer(imageNameBufferLength, L'\0');
    DWORD length = imageNameBufferLength;
    if (!bound::QueryFullProcessImageNameW(process.handle(), 0, &buffer[0], &length) ||
        length >= imageNameBufferLength) {
        return false;
    }
    path = textFromWide(buffer.data(), length);
    return !path.empty();
}

}  // namespace

std::string exeOfProcess(const OpenedProcess& process, DWORD thread) {
    std::string path;
    if (!process.valid() || (!exeFromImageName(process, path) && !exeFromFirstModule(process, path))) {
        path.clear();
    }
    return resolveNtvdmName(path, process.pid(), thread);
}

std::string exeOfProcess(DWORD pid, DWORD thread) {
    if (!OSInfo.isNT) {
        return resolveNtvdmName(processInSnapshot(pid).exe, pid, thread);
    }
    OpenedProcess process(pid);
    return exeOfProcess(process, thread);
}

SnapshotEntry processInSnapshot(DWORD pid) {
    SnapshotEntry found;
    KernelHandle snapshot(bound::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    if (!snapshot.valid()) {
        return found;
    }
    // The parent may come before its child in the snapshot or after it.
    struct Seen {
        DWORD pid;
        std::string exe;
    };
    std::vector<Seen> seen;
    PROCESSENTRY32 record = {};
    record.dwSize = sizeof record;
    BOOL more = bound::Process32First(snapshot.get(), &record);
    for (int examined = 0; more && examined < mostSnapshotRecords; ++examined) {
        std::string exe = nTrim(std::string(record.szExeFile, sizeof record.szExeFile));
        if (record.th32ProcessID == pid) {
            found.exe = exe;
            found.parentPid = record.th32ParentProcessID;
        }
        seen.push_back({record.th32ProcessID, std::move(exe)});
        more = bound::Process32Next(snapshot.get(), &record);
    }
    for (const Seen& process : seen) {
        if (found.parentPid != 0 && process.pid == found.parentPid) {
            found.parentExe = process.exe;
        }
    }
    return found;
}
