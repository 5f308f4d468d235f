// A VDMDBG.dll of the tests' own. Every running process whose file is named
// ntvdm.exe counts as a virtual DOS machine that hosts WOWEXEC.EXE and two
// 16-bit programs, reported in this order:
//   C:\WINDOWS\system32\WOWEXEC.EXE, C:\OLDAPPS\FIRST16.EXE, C:\OLDAPPS\LAST16.EXE
// With TARNWICK_CLOSE_DURING_LOOKUP=1 in the environment, the enumeration
// also asks the program's window to close, so that the request arrives while
// a lookup is under way.
// Loaded, it leaves a marker beside itself (loadMarker.h).
#include <windows.h>
#include <tlhelp32.h>
#include <vdmdbg.h>

#include "loadMarker.h"

#include <cstring>
#include <vector>

namespace {

std::vector<DWORD> ntvdmProcesses() {
    std::vector<DWORD> ids;
    const HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE) {
        return ids;
    }
    PROCESSENTRY32 entry = {};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32First(snapshot, &entry); more; more = Process32Next(snapshot, &entry)) {
        if (lstrcmpiA(entry.szExeFile, "ntvdm.exe") == 0) {
            ids.push_back(entry.th32ProcessID);
        }
    }
    CloseHandle(snapshot);
    return ids;
}

bool isNtvdm(DWORD pid) {
    for (DWORD id : ntvdmProcesses()) {
        if (id == pid) {
            return true;
        }
    }
    return false;
}

void closeProgramIfAsked() {
    char flag[8] = "";
    if (GetEnvironmentVariableA("TARNWICK_CLOSE_DURING_LOOKUP", flag, sizeof flag) > 0 &&
        std::strcmp(flag, "1") == 0) {
        const HWND program = FindWindowA("TarnwickForm1", nullptr);
        if (program != nullptr) {
            PostMessageA(program, WM_CLOSE, 0, 0);
        }
    }
}

}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) {
        leaveLoadMarker(instance);
    }
    return TRUE;
}

extern "C" __declspec(dllexport) INT WINAPI VDMEnumProcessWOW(PROCESSENUMPROC callback, LPARAM user) {
    closeProgramIfAsked();
    INT count = 0;
    for (DWORD id : ntvdmProcesses()) {
        ++count;
        if (callback(id, 0, user)) {
            break;
        }
    }
    return count;
}

extern "C" __declspec(dllexport) INT WINAPI VDMEnumTaskWOWEx(DWORD pid, TASKENUMPROCEX callback,
                                                             LPARAM user) {
    if (!isNtvdm(pid)) {
        return 0;
    }
    static char module[] = "TASK";
    static char files[][40] = {"C:\\WINDOWS\\system32\\WOWEXEC.EXE", "C:\\OLDAPPS\\FIRST16.EXE",
                               "C:\\OLDAPPS\\LAST16.EXE"};
    INT count = 0;
    for (char* file : files) {
        ++count;
        if (callback(1, 1, static_cast<WORD>(count), module, file, user)) {
            break;
        }
    }
    return count;
}
