// Platform functions that are not bound when the program starts.
//
// One 32-bit program runs on Windows 95 and on Windows NT. Some functions
// exist on only one of them (ToolHelp on the 95 family, PSAPI on NT), and
// others live in libraries that may be missing. Each function listed here is
// looked up by name the first time it is called: its DLL is loaded from the
// system folder by its full path (see loadPsapi() for PSAPI.DLL), and the
// address is kept for the rest of the run.
//
// The functions are listed in boundFunctions.inc. A call site reads like a
// plain call: bound::OpenProcess(...). When the library or the entry point
// is missing, the call does nothing and returns the neutral value of its
// result type (0, FALSE or a null pointer).
#pragma once

#include <windows.h>
#include <mmsystem.h>
#include <psapi.h>
#include <tlhelp32.h>
#include <vdmdbg.h>
#include <winternl.h>

#include <utility>

// Vista and later only; the headers for older Windows leave it out.
extern "C" __declspec(dllimport) BOOL WINAPI QueryFullProcessImageNameW(HANDLE, DWORD, LPWSTR, PDWORD);

namespace bound {

// Loads `dll` (once per run) and returns the address of `name`,
// or null when the library or the entry point is missing.
FARPROC lookUp(const char* dll, const char* name);

// Loads PSAPI.DLL from the system folder by its full path; only where the
// system has none (Windows NT 4.0 without it), the copy in the program's
// folder (appFolder), by its full path too: the file the provisioning puts
// there. Null when neither loads. The caller frees the library.
HMODULE loadPsapi();

template <typename Fn>
class Function {
public:
    constexpr Function(const char* dll, const char* name) : dll_(dll), name_(name) {}

    template <typename... Args>
    auto operator()(Args... args) -> decltype(std::declval<Fn>()(args...)) {
        using Result = decltype(std::declval<Fn>()(args...));
        const Fn fn = get();
        if (fn == nullptr) {
            return Result();
        }
        return fn(args...);
    }

    // True when the entry point could be bound.
    bool available() { return get() != nullptr; }

    Fn get() {
        if (!tried_) {
            tried_ = true;
            fn_ = reinterpret_cast<Fn>(reinterpret_cast<void (*)()>(lookUp(dll_, name_)));
        }
        return fn_;
    }

    // Test seam: stands in `fn` for the platform's function (null: missing).
    void replace(Fn fn) {
        fn_ = fn;
        tried_ = true;
    }
    // Test seam: the next call binds by name again.
    void forget() {
        fn_ = nullptr;
        tried_ = false;
    }

private:
    const char* dll_;
    const char* name_;
    Fn fn_ = nullptr;
    bool tried_ = false;
};

#define BOUND(library, name) extern Function<decltype(&::name)> name;
#include "support/boundFunctions.inc"
#undef BOUND

}  // namespace bound
