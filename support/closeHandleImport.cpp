// CloseHandle is bound by name on first use, like the other functions in
// boundOnFirstUse.h. The runtime library calls it too (its thread support
// closes semaphores), and a plain import from the runtime would put it into
// the import table. This file supplies the import slot itself: the slot
// starts at a stub that forwards to the bound function, so the linker never
// takes CloseHandle from kernel32's import library. Linked into the program
// only.
#include <windows.h>

#include "support/boundOnFirstUse.h"

namespace {
BOOL WINAPI closeHandleThroughBinding(HANDLE handle) {
    return bound::CloseHandle(handle);
}
}  // namespace

#if defined(_WIN64)
extern "C" decltype(&::CloseHandle) closeHandleImportSlot asm("__imp_CloseHandle");
#else
extern "C" decltype(&::CloseHandle) closeHandleImportSlot asm("__imp__CloseHandle@4");
#endif

decltype(&::CloseHandle) closeHandleImportSlot = closeHandleThroughBinding;
