// A copy of the program under a file name of its own, for which Wine
// reports Windows 98 (an AppDefaults setting in the registry): started from
// there, the program takes the path of the 95 family. The copy and the
// setting go when the object goes.
#pragma once

#include <string>

#include "e2e/harness/registryValue.h"
#include "e2e/harness/scratchFolder.h"

namespace e2e {

class Windows98Copy {
public:
    // `fileName`: one no other test uses ("tarnwick-e2e-win98.exe"), so that
    // the setting cannot reach another test even if it were left behind.
    explicit Windows98Copy(const std::string& fileName);
    Windows98Copy(const Windows98Copy&) = delete;
    Windows98Copy& operator=(const Windows98Copy&) = delete;

    // False when the copy or the setting could not be made.
    bool valid() const { return valid_; }
    // The copy, for LaunchOptions::exePath.
    const std::string& path() const { return path_; }

private:
    // Members go in reverse order: the setting goes before the folder.
    ScratchFolder folder_;
    ScopedRegistryValue version_;
    std::string path_;
    bool valid_ = false;
};

}  // namespace e2e
