// Facts about the Linux host that Wine runs on, read through Wine's Z: drive
// (the Linux root): processes by command line, their CPU time and memory,
// and the machine itself.
#pragma once

#include <string>

namespace e2e {

// The Linux process id of the newest process of this Wine prefix whose
// program (the first word of its command line) ends in `programName`, or 0.
int findHostProcess(const std::string& programName);

// User plus system CPU time of a Linux process, in clock ticks (1/100 s).
long long cpuTicks(int hostPid);

// Resident memory of a Linux process in KiB (VmRSS), or -1.
long long residentKiB(int hostPid);

// "model name" of the first CPU, the number of CPUs, and the kernel.
std::string machineDescription();

}  // namespace e2e
