// operator new and delete, in place of the C++ runtime's (which allocate
// through MSVCRT.DLL's malloc): blocks come straight from the process heap.
//
// new never hands back a null pointer, since std::string and std::vector
// would write through it. When the heap refuses a block, the reserve is given
// back and the request tried again, and the failure is remembered for
// heapRanShortSinceAsked(); when even that fails, the program ends with a
// message. Nothing is thrown: the program is built without exceptions.
#include "support/runtime/heap.h"

#include <windows.h>

#include <cstddef>
#include <new>

#include "support/runtime/allocationReserve.h"

namespace {

// Enough for the largest line the program builds, with its copies.
constexpr std::size_t reserveBytes = 256 * 1024;

void* fromProcessHeap(std::size_t bytes) {
    // HeapAlloc may refuse a request for nothing; new must still give a block.
    return HeapAlloc(GetProcessHeap(), 0, bytes != 0 ? bytes : 1);
}

void toProcessHeap(void* block) {
    if (block != nullptr) {
        HeapFree(GetProcessHeap(), 0, block);
    }
}

AllocationReserve heap(fromProcessHeap, toProcessHeap, reserveBytes);

void* allocateOrStop(std::size_t bytes) {
    void* block = heap.allocate(bytes);
    if (block == nullptr) {
        FatalAppExitA(0, "Tarnwick has run out of memory and must close.");
        ExitProcess(3);
    }
    return block;
}

}  // namespace

void setAsideHeapReserve() {
    heap.setAside();
}

bool heapRanShortSinceAsked() {
    return heap.takeFailure();
}

void* operator new(std::size_t bytes) {
    return allocateOrStop(bytes);
}

void* operator new[](std::size_t bytes) {
    return allocateOrStop(bytes);
}

void operator delete(void* block) noexcept {
    toProcessHeap(block);
}

void operator delete[](void* block) noexcept {
    toProcessHeap(block);
}

void operator delete(void* block, std::size_t) noexcept {
    toProcessHeap(block);
}

void operator delete[](void* block, std::size_t) noexcept {
    toProcessHeap(block);
}
