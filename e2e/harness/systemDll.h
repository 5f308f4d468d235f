// A DLL of the tests' own in the system folder of the program under test
// (System32, or SysWOW64 for the 32-bit program), for as long as a test
// runs; the file that was there before is put back when the object goes.
#pragma once

#include <string>

namespace e2e {

class ScopedSystemDll {
public:
    // Puts `source` into the system folder as `name` ("VDMDBG.dll").
    ScopedSystemDll(const std::string& source, const std::string& name);
    ~ScopedSystemDll();
    ScopedSystemDll(const ScopedSystemDll&) = delete;
    ScopedSystemDll& operator=(const ScopedSystemDll&) = delete;

    bool valid() const { return valid_; }
    const std::string& path() const { return path_; }

private:
    std::string path_;
    std::string saved_;
    bool valid_ = false;
};

// The system folder that the program under test loads its libraries from.
std::string programSystemFolder();

}  // namespace e2e
