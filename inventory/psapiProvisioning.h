// The decision whether the PSAPI functions may be called, with the one-time
// attempt to put PSAPI.DLL into the program's folder. Windows NT 4.0 ships
// the file only on its CD, in \SUPPORT\DEBUG\I386.
//
// The sequence works on the state and the operations it is handed, so that
// a test can drive every path without a desktop; ensurePsapi() hands it the
// real ones.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

namespace psapiText {
constexpr const char caption[] = "Tarnwick";
constexpr const char prompt[] =
    "PSAPI.DLL not found! Please instert the Windows NT4 Installation CD or an\r\n"
    "original Service Pack CD into the drive you installed Windows NT from!\r\n"
    "Copy the file now?";
constexpr const char copyFailed[] = "File not found. pc";
constexpr const char manualCopy[] =
    "Please copy PSAPI.DLL manually to Vexa's folder from the NT4 CD's folder "
    "\\SUPPORT\\DEBUG\\I386\\PSAPI.DLL";
constexpr unsigned promptStyle = MB_YESNO | MB_ICONEXCLAMATION;
// Both buttons of a notice lead on the same way.
constexpr unsigned noticeStyle = MB_OKCANCEL;
}  // namespace psapiText

// The run's progress with PSAPI.DLL (psapiState).
namespace psapiStates {
constexpr int untried = 0;      // no load has failed yet
constexpr int sequenceRun = 1;  // a load failed; the copy-and-prompt sequence has run
constexpr int loaded = 2;       // PSAPI.DLL has loaded; final
}  // namespace psapiStates

struct PsapiOperations {
    // Loads PSAPI.DLL (bound::loadPsapi()) and releases it at once; true if
    // it loaded.
    std::function<bool()> loads;
    // The installation source recorded in the registry, or empty text.
    std::function<std::string()> installationSource;
    // Copies a file; true if the copy completed.
    std::function<bool(const std::string& source, const std::string& destination)> copy;
    // Shows a modal message box and returns the button pressed.
    std::function<int(const std::string& text, unsigned style)> ask;
};

// appFolder, one backslash, PSAPI.DLL. From a drive root that gives two
// backslashes in a row, which the file system accepts.
std::string psapiDestinationPath(const std::string& appFolder);

// The registry text, a backslash unless it is empty or already ends in one,
// then "..", then the CD path of the file. The registry usually holds the
// folder without its backslash ("D:\I386").
std::string psapiSourcePath(const std::string& installationSource);

// One check: true when PSAPI.DLL has loaded in this run. `state` is the
// run's psapiState (psapiStates).
bool ensurePsapiWith(int& state, const std::string& appFolder, const PsapiOperations& operations);

// One of psapiStates, for the whole run.
extern int psapiState;

// True when PSAPI.DLL loads, so the PSAPI functions may be called. The first
// time it does not, tries once per run to copy it into the program's folder,
// silently from the installation source first, then asking the user.
bool ensurePsapi();
