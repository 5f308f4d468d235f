// What a test run is told from outside: where the program is, and where the
// standard error of the processes we start ends up.
#pragma once

#include <string>

namespace e2e {

// The value of an environment variable, or empty text.
std::string environmentValue(const char* name);

// A Linux path as Wine shows it (drive Z: is the Linux root). A path that
// already has a drive letter is returned unchanged.
std::string windowsPathOf(const std::string& path);

// The program under test, from TARNWICK_E2E_EXE; empty when not set.
std::string programPath();

// Whether the program under test is the 32-bit build (its file says so).
bool programIs32Bit();

// The file that receives the standard error of this test process and of the
// processes it starts (Wine writes its debug channels there), from
// TARNWICK_E2E_STDERR_LOG; empty when not set.
std::string stderrLogPath();

// The folder of the tests' stand-ins for system pieces (PSAPI.DLL,
// VDMDBG.dll, windowHost.exe, ntvdm.exe), from TARNWICK_E2E_STANDINS; empty
// when not set.
std::string standinsFolder();

// The full path of this test program, as Windows reports it.
std::string ownExePath();

}  // namespace e2e
