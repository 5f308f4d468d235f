#include "inventory/psapiProvisioning.h"

#include <windows.h>

#include "support/basReg.h"
#include "support/basStrings.h"
#include "support/boundOnFirstUse.h"
#include "support/libraryHandle.h"
#include "support/messageStep.h"
#include "support/programFolder.h"

int psapiState = 0;

namespace {

using psapiStates::loaded;
using psapiStates::sequenceRun;
using psapiStates::untried;

constexpr const char libraryName[] = "PSAPI.DLL";
constexpr const char sourceKey[] = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion";
constexpr const char sourceValue[] = "SourcePath";
constexpr const char upOneFolder[] = "..";
constexpr const char pathOnTheCd[] = "\\SUPPORT\\DEBUG\\I386\\PSAPI.DLL";

bool tryLoad(int& state, const PsapiOperations& operations) {
    if (operations.loads()) {
        state = loaded;
        return true;
    }
    return false;
}

PsapiOperations realOperations() {
    PsapiOperations operations;
    operations.loads = [] {
        // The system's own first; a copy in the program's folder counts only
        // where the system has none.
        LibraryHandle library(bound::loadPsapi());
        return library.valid();
    };
    operations.installationSource = [] { return getRegString(sourceKey, sourceValue); };
    operations.copy = tryFileCopy;
    operations.ask = [](const std::string& text, unsigned style) {
        return MessageBoxA(programWindow(), text.c_str(), psapiText::caption, style);
    };
    return operations;
}

}  // namespace

std::string psapiDestinationPath(const std::string& appFolder) {
    return appFolder + "\\" + libraryName;
}

std::string psapiSourcePath(const std::string& installationSource) {
    std::string path = installationSource;
    if (!path.empty() && path.back() != '\\') {
        path += '\\';
    }
    return path + upOneFolder + pathOnTheCd;
}

bool ensurePsapiWith(int& state, const std::string& appFolder, const PsapiOperations& operations) {
    if (state >= loaded) {
        return true;
    }
    if (tryLoad(state, operations)) {
        return true;
    }
    if (state != untried) {
        return false;  // the sequence has had its one run
    }

    state = sequenceRun;
    const std::string destination = psapiDestinationPath(appFolder);
    const std::string installationSource = operations.installationSource();
    const std::string source = psapiSourcePath(installationSource);
    // With no installation source recorded, the source path would lead out
    // of whatever folder the program was started in, which anyone may have
    // filled: nothing is copied from there, neither silently nor after Yes.
    const auto copy = [&] {
        return !installationSource.empty() && operations.copy(source, destination);
    };
    if (!copy()) {
        if (operations.ask(psapiText::prompt, psapiText::promptStyle) == IDYES) {
            if (!copy()) {
                operations.ask(psapiText::copyFailed, psapiText::noticeStyle);
            }
        } else {
            operations.ask(psapiText::manualCopy, psapiText::noticeStyle);
        }
    }
    tryLoad(state, operations);
    return state == loaded;
}

bool ensurePsapi() {
    if (psapiState >= loaded) {
        return true;
    }
    return ensurePsapiWith(psapiState, appFolder, realOperations());
}
