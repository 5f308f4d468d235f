// The command line of a process on the NT family.
#pragma once

#include <windows.h>

#include <string>

class OpenedProcess;

// Asked of the system first (Windows 8.1 and later answer with limited
// access, also for a 64-bit process seen from the 32-bit program); where it
// refuses, read from the process's parameters in its memory, where the
// process was opened with read access and has a layout the program can read
// (its own bitness, or a 32-bit process seen from the 64-bit program); else
// empty.
std::string commandLineOf(OpenedProcess& process);
