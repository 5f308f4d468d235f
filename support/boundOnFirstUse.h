// Platform functions that are not bound when the program starts.
//
// One 32-bit program runs on Windows 95 and on Windows NT. Some functions
// exist on only one of them (ToolHelp on the 95 family, PSAPI on NT), and
// others live in libraries that may be missing. Each function listed here is
// looked up by name the first time it is called: its DLL is loaded from the
// system folder (PSAPI.DLL alone through the standard search order, which
// starts in the program's own folder), and the address is kept for the rest
// of the run.
//
// A call site reads like a plain call: bound::OpenProcess(...). When the
// library or the entry point is missing, the call does nothing and returns
// the neutral value of its result type (0, FALSE or a null pointer).
#pragma once

#include <windows.h>
#include <mmsystem.h>
#include <psapi.h>
#include <tlhelp32.h>
#include <vdmdbg.h>

#include <utility>

namespace bound {

// Loads `dll` by bare name (once per run) and returns the address of `name`,
// or null when the library or the entry point is missing.
FARPROC lookUp(const char* dll, const char* name);

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

// psapi.dll: only after ensurePsapi() has said yes.
extern Function<decltype(&::EnumProcesses)> EnumProcesses;
extern Function<decltype(&::EnumProcessModules)> EnumProcessModules;
extern Function<decltype(&::GetModuleFileNameExW)> GetModuleFileNameExW;

// VDMDBG.dll: only for a process named NTVDM.EXE.
extern Function<decltype(&::VDMEnumProcessWOW)> VDMEnumProcessWOW;
extern Function<decltype(&::VDMEnumTaskWOWEx)> VDMEnumTaskWOWEx;

// winmm.dll
extern Function<decltype(&::timeBeginPeriod)> timeBeginPeriod;
extern Function<decltype(&::timeEndPeriod)> timeEndPeriod;
extern Function<decltype(&::timeGetTime)> timeGetTime;

// kernel32.dll: the ToolHelp functions only on the 95 family.
extern Function<decltype(&::CreateToolhelp32Snapshot)> CreateToolhelp32Snapshot;
extern Function<decltype(&::Process32First)> Process32First;
extern Function<decltype(&::Process32Next)> Process32Next;
extern Function<decltype(&::OpenProcess)> OpenProcess;
extern Function<decltype(&::CloseHandle)> CloseHandle;
extern Function<decltype(&::lstrcpynA)> lstrcpynA;
// Vista and later only; the headers for older Windows do not declare it.
using QueryFullProcessImageNameWFunction = BOOL(WINAPI*)(HANDLE, DWORD, LPWSTR, PDWORD);
extern Function<QueryFullProcessImageNameWFunction> QueryFullProcessImageNameW;

// user32.dll
extern Function<decltype(&::SetWindowPos)> SetWindowPos;
extern Function<decltype(&::GetWindowThreadProcessId)> GetWindowThreadProcessId;

// advapi32.dll
extern Function<decltype(&::RegQueryValueExA)> RegQueryValueExA;

}  // namespace bound
