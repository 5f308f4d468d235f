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
    GlobalBlock() = default;
    GlobalBlock(const GlobalBlock&) = delete;
    GlobalBlock& operator=(const GlobalBlock&) = delete;
    ~GlobalBlock() { free(); }
    // A new block of `bytes` in place of any held; null when refused.
    void allocate(UINT flags, SIZE_T bytes) {
        free();
        block_ = GlobalAlloc(flags, bytes);
    }
    HGLOBAL get() const { return block_; }
    HGLOBAL release() {
        HGLOBAL block = block_;
        block_ = nullptr;
        return block;
    }

private:
    void free() {
        if (block_ != nullptr) {
            GlobalFree(block_);
            block_ = nullptr;
        }
    }
    HGLOBAL block_ = nullptr;
};

// A global block locked for writing, as an array of `Unit`; null when there
// is no block or it cannot be locked.
template <typename Unit>
class LockedBlock {
public:
    explicit LockedBlock(const GlobalBlock& block)
        : block_(block.get()), data_(block_ != nullptr ? static_cast<Unit*>(GlobalLock(block_)) : nullptr) {}
    LockedBlock(const LockedBlock&) = delete;
    LockedBlock& operator=(const LockedBlock&) = delete;
    ~LockedBlock() {
        if (data_ != nullptr) {
            GlobalUnlock(block_);
        }
    }
    Unit* get() const { return data_; }

private:
    HGLOBAL block_;
    Unit* data_;
};
