// The owner of a loaded library, released on every path.
#pragma once

#include <windows.h>

// A library loaded only to see whether it loads.
class LibraryHandle {
public:
    explicit LibraryHandle(HMODULE module) : module_(module) {}
    LibraryHandle(const LibraryHandle&) = delete;
    LibraryHandle& operator=(const LibraryHandle&) = delete;
    ~LibraryHandle() {
        if (module_ != nullptr) {
            FreeLibrary(module_);
        }
    }
    bool valid() const { return module_ != nullptr; }

private:
    HMODULE module_;
};
