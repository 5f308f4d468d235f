// A registry string value that a test sets or removes for as long as it
// runs; what was there before (a value, or no value, or not even the key) is
// put back when the object goes.
#pragma once

#include <windows.h>

#include <string>

namespace e2e {

// Wine's settings for a program file name (for example "tarnwick-e2e-x.exe"):
// the key HKCU\<appDefaultsKey> holds "Version" ("win98" makes Wine report
// Windows 98), and HKCU\<dllOverridesKey> a value per DLL ("psapi") that says
// which kind may load: "native", "builtin", "native,builtin", or "" for none.
// (Wine does not hand WINEDLLOVERRIDES on to a process started by another.)
std::string appDefaultsKey(const std::string& programFileName);
std::string dllOverridesKey(const std::string& programFileName);

// The view of HKEY_LOCAL_MACHINE\SOFTWARE that the program under test reads:
// KEY_WOW64_32KEY for the 32-bit program, the test's own (0) otherwise.
REGSAM programRegistryView();

class ScopedRegistryValue {
public:
    // Remembers the value `name` of `root`\`keyPath` as it is now. `view`
    // (KEY_WOW64_32KEY) chooses the registry that 32-bit programs see.
    ScopedRegistryValue(HKEY root, const std::string& keyPath, const std::string& name,
                        REGSAM view = 0);
    ~ScopedRegistryValue();
    ScopedRegistryValue(const ScopedRegistryValue&) = delete;
    ScopedRegistryValue& operator=(const ScopedRegistryValue&) = delete;

    // Sets the value as REG_SZ, making the key (and those above it) if
    // needed; keys made here go again, if empty, with the object.
    bool set(const std::string& text);
    // Removes the value; true when it is gone.
    bool remove();

private:
    HKEY root_;
    REGSAM view_;
    std::string keyPath_;
    std::string name_;
    // How many trailing parts of keyPath_ did not exist (and may be made).
    int missingKeys_ = 0;
    bool valueExisted_ = false;
    DWORD type_ = REG_NONE;
    std::string data_;
};

}  // namespace e2e
