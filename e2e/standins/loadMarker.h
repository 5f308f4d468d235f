// A stand-in DLL marks where it was loaded from: on loading it leaves an
// empty file "<its own path>.loaded" beside itself, so a test can tell which
// copy of a library a program took.
#pragma once

#include <windows.h>

static inline void leaveLoadMarker(HINSTANCE instance) {
    char path[MAX_PATH + 8];
    const DWORD length = GetModuleFileNameA(instance, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) {
        return;
    }
    lstrcpyA(path + length, ".loaded");
    const HANDLE marker = CreateFileA(path, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
    if (marker != INVALID_HANDLE_VALUE) {
        CloseHandle(marker);
    }
}
