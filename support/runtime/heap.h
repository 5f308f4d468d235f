// The program's heap: operator new and delete on the process heap, with a
// reserve for the moment the heap runs short (allocationReserve.h). It belongs
// to the program's own runtime and is linked into tarnwick.exe only.
#pragma once

// Sets the reserve aside. The entry point calls it once the static
// constructors have run, before WinMain.
void setAsideHeapReserve();

// True when the heap ran short since the last call: the reserve stood in,
// and whatever was being built meanwhile should be given up. The reserve is
// then set aside again.
bool heapRanShortSinceAsked();
