// What the program does when the heap refuses a block: a reserve set aside
// at start is given back once, so that the work under way can finish, and
// the failure is remembered until the foreground check asks for it (it then
// drops the line it built). Only when even that is not enough does the
// allocation fail for good.
//
// The rule works on the allocator it is handed, so that a test can refuse
// blocks at will; heap.cpp hands it the process heap.
#pragma once

#include <cstddef>

class AllocationReserve {
public:
    using Allocate = void* (*)(std::size_t bytes);
    using Release = void (*)(void* block);

    constexpr AllocationReserve(Allocate allocate, Release release, std::size_t reserveBytes)
        : allocate_(allocate), release_(release), reserveBytes_(reserveBytes) {}
    AllocationReserve(const AllocationReserve&) = delete;
    AllocationReserve& operator=(const AllocationReserve&) = delete;

    // Sets the reserve aside, unless it already is or the heap refuses it.
    void setAside();

    // A block of `bytes`. When the heap refuses, the reserve goes back to the
    // heap and the request is tried once more. Null only when that fails too.
    void* allocate(std::size_t bytes);

    // True once for each time the reserve had to be given back; the reserve
    // is then set aside again.
    bool takeFailure();

    bool holdsReserve() const { return reserve_ != nullptr; }

private:
    Allocate allocate_;
    Release release_;
    std::size_t reserveBytes_;
    void* reserve_ = nullptr;
    bool failed_ = false;
};
