#include "inventory/processDetails.h"

#include <cstdint>

#include "inventory/commandLine.h"
#include "inventory/openedProcess.h"
#include "inventory/processExe.h"

namespace {

// Enough for the processes a storm brings to the front; the oldest go first.
constexpr int cachedProcesses = 64;

std::uint64_t ticksOf(const FILETIME& time) {
    return (static_cast<std::uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

ProcessDetails readDetails(OpenedProcess& process, const FILETIME& created, bool nameParent) {
    ProcessDetails details;
    details.commandLine = commandLineOf(process);
    const DWORD parentPid = process.parentId();
    if (parentPid == 0) {
        return details;
    }
    OpenedProcess parent(parentPid);
    FILETIME parentCreated;
    if (!parent.creationTime(parentCreated) || !parentStillSame(parentCreated, created)) {
        return details;
    }
    details.parentPid = parentPid;
    if (nameParent) {
        details.parentExe = exeOfProcess(parent);
    }
    details.parentCommandLine = commandLineOf(parent);
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

ProcessDetails detailsOfProcess(OpenedProcess& process, bool nameParent) {
    FILETIME created;
    if (!process.creationTime(created)) {
        return ProcessDetails();
    }
    if (const ProcessDetails* kept = cache().find(process.pid(), created)) {
        return *kept;
    }
    const ProcessDetails details = readDetails(process, created, nameParent);
    cache().keep(process.pid(), created, details);
    return details;
}
