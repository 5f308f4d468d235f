#include "inventory/processDetails.h"

#include <cstdint>

#include "inventory/commandLine.h"
#include "inventory/processExe.h"
#include "support/boundOnFirstUse.h"
#include "support/kernelHandle.h"

namespace {

// Enough for the processes a storm brings to the front; the oldest go first.
constexpr int cachedProcesses = 64;

std::uint64_t ticksOf(const FILETIME& time) {
    return (static_cast<std::uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

// A process opened to ask about it: with the limited access of Vista and
// later, else with the query access that NT 4.0 to XP know.
HANDLE openForQuery(DWORD pid) {
    const HANDLE limited = bound::OpenProcess(limitedQueryAccess, FALSE, pid);
    return limited != nullptr ? limited : bound::OpenProcess(PROCESS_QUERY_INFORMATION, FALSE, pid);
}

bool creationTimeOf(HANDLE process, FILETIME& created) {
    FILETIME exited;
    FILETIME kernel;
    FILETIME user;
    return bound::GetProcessTimes(process, &created, &exited, &kernel, &user) != FALSE;
}

// The id of the process that started `process`, or 0.
DWORD parentIdOf(HANDLE process) {
    PROCESS_BASIC_INFORMATION basic = {};
    ULONG written = 0;
    if (!bound::NtQueryInformationProcess.available() ||
        bound::NtQueryInformationProcess(process, ProcessBasicInformation, &basic, sizeof basic, &written) < 0) {
        return 0;
    }
    return static_cast<DWORD>(basic.InheritedFromUniqueProcessId);
}

ProcessDetails readDetails(DWORD pid, HANDLE process, const FILETIME& created, bool nameParent) {
    ProcessDetails details;
    details.commandLine = commandLineOfProcess(pid);
    const DWORD parent = parentIdOf(process);
    if (parent == 0) {
        return details;
    }
    KernelHandle parentProcess(openForQuery(parent));
    FILETIME parentCreated;
    if (!parentProcess.valid() || !creationTimeOf(parentProcess.get(), parentCreated) ||
        !parentStillSame(parentCreated, created)) {
        return details;
    }
    details.parentPid = parent;
    if (nameParent) {
        details.parentExe = exeOfProcess(parent);
    }
    details.parentCommandLine = commandLineOfProcess(parent);
    return details;
}

class DetailsCache {
public:
    const ProcessDetails* find(DWORD pid, const FILETIME& created) const {
        for (const Entry& entry : entries_) {
            if (entry.used && entry.pid == pid && entry.created == ticksOf(created)) {
                return &entry.details;
            }
        }
        return nullptr;
    }

    void keep(DWORD pid, const FILETIME& created, const ProcessDetails& details) {
        Entry& entry = entries_[next_];
        next_ = (next_ + 1) % cachedProcesses;
        entry.used = true;
        entry.pid = pid;
        entry.created = ticksOf(created);
        entry.details = details;
    }

private:
    struct Entry {
        bool used = false;
        DWORD pid = 0;
        std::uint64_t created = 0;
        ProcessDetails details;
    };
    Entry entries_[cachedProcesses];
    int next_ = 0;
};

DetailsCache& cache() {
    static DetailsCache instance;
    return instance;
}

}  // namespace

bool parentStillSame(const FILETIME& parentCreated, const FILETIME& childCreated) {
    return ticksOf(parentCreated) <= ticksOf(childCreated);
}

ProcessDetails detailsOfProcess(DWORD pid, bool nameParent) {
    KernelHandle process(openForQuery(pid));
    FILETIME created;
    if (!process.valid() || !creationTimeOf(process.get(), created)) {
        return ProcessDetails();
    }
    if (const ProcessDetails* kept = cache().find(pid, created)) {
        return *kept;
    }
    const ProcessDetails details = readDetails(pid, process.get(), created, nameParent);
    cache().keep(pid, created, details);
    return details;
}
