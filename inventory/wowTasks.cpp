// Naming the 16-bit Windows task that an NTVDM process hosts, through the
// VDMDBG enumeration callbacks.
#include "inventory/wowTasks.h"

#include "support/basStrings.h"
#include "support/boundOnFirstUse.h"
#include "support/messageStep.h"
#include "support/systemText.h"

DWORD wowWantedPid = 0;
DWORD wowWantedThread = 0;
std::string wowTaskResult;
std::string wowThreadTask;

namespace {

// The last `count` characters of `text` (all of it when shorter), in upper case.
std::string upperTail(const std::string& text, std::size_t count) {
    std::string tail = text.size() > count ? text.substr(text.size() - count) : text;
    for (char& c : tail) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
    }
    return tail;
}

}  // namespace

std::string resolveNtvdmName(const std::string& name, DWORD pid, DWORD thread) {
    if (upperTail(name, 9) == "NTVDM.EXE") {
        return getWowTaskName(pid, thread);
    }
    return name;
}

std::string getWowTaskName(DWORD pid, DWORD thread) {
    wowWantedPid = pid;
    wowWantedThread = thread;
    wowTaskResult.clear();
    wowThreadTask.clear();
    bound::VDMEnumProcessWOW(enumWowProcessProc, 0);
    processPendingMessages();
    return wowThreadTask.empty() ? wowTaskResult : wowThreadTask;
}

BOOL WINAPI enumWowProcessProc(DWORD dwProcessId, DWORD, LPARAM) {
    if (dwProcessId == wowWantedPid) {
        bound::VDMEnumTaskWOWEx(dwProcessId, enumWowTaskProc, 0);
    }
    return FALSE;  // go on with the next VDM
}

BOOL WINAPI enumWowTaskProc(DWORD dwThreadId, WORD, WORD, PSZ, PSZ pszFileName, LPARAM) {
    // Built without exceptions, so nothing can be thrown back into the
    // platform's enumeration.
    const std::string fileName = strFromAnsiPtr(pszFileName);
    if (upperTail(fileName, 11) != "WOWEXEC.EXE") {
        wowTaskResult = fileName;
        if (wowWantedThread != 0 && dwThreadId == wowWantedThread) {
            wowThreadTask = fileName;
        }
    }
    return FALSE;  // go on with the next task
}

std::string strFromAnsiPtr(const char* pointer) {
    if (pointer == nullptr) {
        return std::string();
    }
    std::string buffer(261, '\0');
    bound::lstrcpynA(&buffer[0], pointer, 260);
    return textFromAnsi(nTrim(buffer));
}
