#include "e2e/harness/systemDll.h"

#include <windows.h>

#include "e2e/harness/environment.h"
#include "e2e/harness/scratchFolder.h"

namespace e2e {

std::string programSystemFolder() {
    char folder[MAX_PATH] = {};
    if (programIs32Bit()) {
        const UINT length = GetWindowsDirectoryA(folder, MAX_PATH);
        return std::string(folder, length) + "\\SysWOW64";
    }
    const UINT length = GetSystemDirectoryA(folder, MAX_PATH);
    return std::string(folder, length);
}

ScopedSystemDll::ScopedSystemDll(const std::string& source, const std::string& name)
    : path_(programSystemFolder() + "\\" + name), saved_(path_ + ".tarnwick-e2e-saved") {
    if (fileExists(path_) && !MoveFileExA(path_.c_str(), saved_.c_str(), MOVEFILE_REPLACE_EXISTING)) {
        return;
    }
    valid_ = copyFile(source, path_);
}

ScopedSystemDll::~ScopedSystemDll() {
    DeleteFileA(path_.c_str());
    DeleteFileA((path_ + ".loaded").c_str());
    if (fileExists(saved_)) {
        MoveFileExA(saved_.c_str(), path_.c_str(), MOVEFILE_REPLACE_EXISTING);
    }
}

}  // namespace e2e
