#include "inventory/openedProcess.h"

#include "support/boundOnFirstUse.h"

namespace {

// Strongest first: a process that grants read gives its first module and
// its command line; the limited access names an elevated or protected
// process on Vista and later; the query access alone is what NT 4.0 to XP
// grant where they refuse read.
const DWORD accessesInTurn[] = {PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, limitedQueryAccess,
                                PROCESS_QUERY_INFORMATION};

HANDLE openWithFirstGranted(DWORD pid, DWORD& granted) {
    for (const DWORD access : accessesInTurn) {
        const HANDLE process = bound::OpenProcess(access, FALSE, pid);
        if (process != nullptr) {
            granted = access;
            return process;
        }
    }
    return nullptr;
}

}  // namespace

OpenedProcess::OpenedProcess(DWORD pid) : pid_(pid), handle_(openWithFirstGranted(pid, access_)) {}

bool OpenedProcess::creationTime(FILETIME& created) const {
    FILETIME exited;
    FILETIME kernel;
    FILETIME user;
    return valid() && bound::GetProcessTimes(handle(), &created, &exited, &kernel, &user) != FALSE;
}

const PROCESS_BASIC_INFORMATION* OpenedProcess::basicInformation() {
    if (!basicAsked_) {
        basicAsked_ = true;
        ULONG written = 0;
        basicKnown_ = valid() && bound::NtQueryInformationProcess.available() &&
                      bound::NtQueryInformationProcess(handle(), ProcessBasicInformation, &basic_, sizeof basic_,
                                                       &written) >= 0;
    }
    return basicKnown_ ? &basic_ : nullptr;
}

DWORD OpenedProcess::parentId() {
    const PROCESS_BASIC_INFORMATION* basic = basicInformation();
    return basic != nullptr ? static_cast<DWORD>(basic->InheritedFromUniqueProcessId) : 0;
}
