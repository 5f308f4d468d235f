#include "support/runtime/allocationReserve.h"

void AllocationReserve::setAside() {
    if (reserve_ == nullptr) {
        reserve_ = allocate_(reserveBytes_);
    }
}

void* AllocationReserve::allocate(std::size_t bytes) {
    void* block = allocate_(bytes);
    if (block != nullptr || reserve_ == nullptr) {
        return block;
    }
    release_(reserve_);
    reserve_ = nullptr;
    failed_ = true;
    return allocate_(bytes);
}

bool AllocationReserve::takeFailure() {
    if (!failed_) {
        return false;
    }
    failed_ = false;
    setAside();
    return true;
}
