// What a copy to the clipboard holds: the open clipboard, and the memory
// handed to it.
#pragma once

#include <windows.h>

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
