// Owners for the platform handles the program opens. Each closes its handle
// when it goes out of scope, on every path, and knows which value means
// "no handle" for its kind.
#pragma once

#include <windows.h>

#include "support/boundOnFirstUse.h"

// A kernel object handle: a process or a ToolHelp snapshot. OpenProcess
// fails with NULL and CreateToolhelp32Snapshot with INVALID_HANDLE_VALUE; a
// bound function that could not be found also gives NULL. Neither value is
// ever closed. The handle is closed through the bound CloseHandle.
class KernelHandle {
public:
    explicit KernelHandle(HANDLE handle) : handle_(handle) {}
    KernelHandle(const KernelHandle&) = delete;
    KernelHandle& operator=(const KernelHandle&) = delete;
    ~KernelHandle() {
        if (valid()) {
            bound::CloseHandle(handle_);
        }
    }
    bool valid() const { return handle_ != nullptr && handle_ != INVALID_HANDLE_VALUE; }
    HANDLE get() const { return handle_; }

private:
    HANDLE handle_;
};

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

// An open registry key. RegCloseKey is called even for a key that never
// opened, which the platform answers with an error and no harm.
class RegistryKey {
public:
    RegistryKey() = default;
    RegistryKey(const RegistryKey&) = delete;
    RegistryKey& operator=(const RegistryKey&) = delete;
    ~RegistryKey() { RegCloseKey(key_); }
    HKEY* receive() { return &key_; }
    HKEY get() const { return key_; }

private:
    HKEY key_ = nullptr;
};

// The clipboard, held open for one command.
class OpenClipboardSession {
public:
    explicit OpenClipboardSession(HWND owner) : open_(OpenClipboard(owner) != FALSE) {}
    OpenClipboardSession(const OpenClipboardSession&) = delete;
    OpenClipboardSession& operator=(const OpenClipboardSession&) = delete;
    ~OpenClipboardSession() {
        if (open_) {
            CloseClipboard();
        }
    }
    bool isOpen() const { return open_; }

private:
    bool open_;
};

// A block of global memory until ownership passes to someone else.
class GlobalBlock {
public:
    GlobalBlock(UINT flags, SIZE_T bytes) : block_(GlobalAlloc(flags, bytes)) {}
    GlobalBlock(const GlobalBlock&) = delete;
    GlobalBlock& operator=(const GlobalBlock&) = delete;
    ~GlobalBlock() {
        if (block_ != nullptr) {
            GlobalFree(block_);
        }
    }
    HGLOBAL get() const { return block_; }
    HGLOBAL release() {
        HGLOBAL block = block_;
        block_ = nullptr;
        return block;
    }

private:
    HGLOBAL block_;
};

// A device context borrowed from a window.
class WindowDC {
public:
    explicit WindowDC(HWND window) : window_(window), dc_(GetDC(window)) {}
    WindowDC(const WindowDC&) = delete;
    WindowDC& operator=(const WindowDC&) = delete;
    ~WindowDC() {
        if (dc_ != nullptr) {
            ReleaseDC(window_, dc_);
        }
    }
    HDC get() const { return dc_; }

private:
    HWND window_;
    HDC dc_;
};
