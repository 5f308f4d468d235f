#include "support/kernelHandle.h"

#include "support/boundOnFirstUse.h"

KernelHandle::~KernelHandle() {
    if (valid()) {
        bound::CloseHandle(handle_);
    }
}
