#include "support/boundOnFirstUse.h"

#include <cstring>

#include "support/programFolder.h"

namespace bound {

namespace {

constexpr const char psapi[] = "psapi.dll";

// Every library comes from the system folder by its full path, so that no
// file placed beside the program is loaded in its place.
HMODULE loadFromSystemFolder(const char* dll) {
    char path[MAX_PATH + 1] = {};
    const UINT folderLength = GetSystemDirectoryA(path, MAX_PATH);
    const std::size_t nameLength = std::strlen(dll);
    if (folderLength == 0 || folderLength + 1 + nameLength > MAX_PATH) {
        return nullptr;
    }
    path[folderLength] = '\\';
    std::memcpy(path + folderLength + 1, dll, nameLength + 1);
    return LoadLibraryA(path);
}

HMODULE load(const char* dll) {
    return std::strcmp(dll, psapi) == 0 ? loadPsapi() : loadFromSystemFolder(dll);
}

// The libraries loaded for bound functions. They stay loaded while the
// program runs, since their addresses are kept, and are released at exit.
class LoadedLibraries {
public:
    LoadedLibraries() = default;
    LoadedLibraries(const LoadedLibraries&) = delete;
    LoadedLibraries& operator=(const LoadedLibraries&) = delete;

    ~LoadedLibraries() {
        for (Entry& entry : entries_) {
            if (entry.module != nullptr) {
                FreeLibrary(entry.module);
            }
        }
    }

    // The module for `dll`, loading it on the first request. A library that
    // failed to load is not tried again.
    HMODULE get(const char* dll) {
        for (Entry& entry : entries_) {
            if (entry.name != nullptr && std::strcmp(entry.name, dll) == 0) {
                return entry.module;
            }
        }
        for (Entry& entry : entries_) {
            if (entry.name == nullptr) {
                entry.name = dll;
                entry.module = load(dll);
                return entry.module;
            }
        }
        return nullptr;
    }

private:
    struct Entry {
        const char* name = nullptr;
        HMODULE module = nullptr;
    };
    Entry entries_[8];
};

LoadedLibraries& libraries() {
    static LoadedLibraries instance;
    return instance;
}

constexpr const char vdmdbg[] = "VDMDBG.dll";
constexpr const char winmm[] = "winmm.dll";
constexpr const char kernel32[] = "kernel32.dll";
constexpr const char user32[] = "user32.dll";
constexpr const char advapi32[] = "advapi32.dll";
constexpr const char ntdll[] = "ntdll.dll";

}  // namespace

HMODULE loadPsapi() {
    const HMODULE system = loadFromSystemFolder(psapi);
    if (system != nullptr || appFolder.empty()) {
        return system;
    }
    return LoadLibraryA((appFolder + "\\PSAPI.DLL").c_str());
}

FARPROC lookUp(const char* dll, const char* name) {
    const HMODULE module = libraries().get(dll);
    return module != nullptr ? GetProcAddress(module, name) : nullptr;
}

#define BOUND(library, name) Function<decltype(&::name)> name{library, #name};
#include "support/boundFunctions.inc"
#undef BOUND

}  // namespace bound
