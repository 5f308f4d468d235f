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
    // The details kept of the process, unless they lack the parent's
    // executable that may now be asked.
    const ProcessDetails* find(DWORD pid, const FILETIME& created, bool nameParent) {
        const Entry* entry = entryOf(pid, created);
        return entry != nullptr && (entry->parentNamed || !nameParent) ? &entry->details : nullptr;
    }

    void keep(DWORD pid, const FILETIME& created, const ProcessDetails& details, bool parentNamed) {
        Entry* entry = entryOf(pid, created);
        if (entry == nullptr) {
            entry = &entries_[next_];
            next_ = (next_ + 1) % cachedProcesses;
        }
        entry->used = true;
        entry->pid = pid;
        entry->created = ticksOf(created);
        entry->details = details;
        entry->parentNamed = parentNamed;
    }

private:
    struct Entry {
        bool used = false;
        DWORD pid = 0;
        std::uint64_t created = 0;
        ProcessDetails details;
        bool parentNamed = false;  // read while the parent's executable could be asked
    };

    Entry* entryOf(DWORD pid, const FILETIME& created) {
        for (Entry& entry : entries_) {
            if (entry.used && entry.pid == pid && entry.created == ticksOf(created)) {
                return &entry;
            }
        }
        return nullptr;
    }

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
    if (const ProcessDetails* kept = cache().find(process.pid(), created, nameParent)) {
        return *kept;
    }
    const ProcessDetails details = readDetails(process, created, nameParent);
    cache().keep(process.pid(), created, details, nameParent);
    return details;
}
