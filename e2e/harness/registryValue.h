// A registry string value that a test sets or removes for as long as it
// runs; what was there before (a value, or no value, or not even the key) is
// put back when the object goes.
#pragma once

#include <windows.h>

#include <string>

namespace e2e {

class ScopedRegistryValue {
public:
    // Remembers the value `name` of `root`\`keyPath` as it is now.
    ScopedRegistryValue(HKEY root, const std::string& keyPath, const std::string& name);
    ~ScopedRegistryValue();
    ScopedRegistryValue(const ScopedRegistryValue&) = delete;
    ScopedRegistryValue& operator=(const ScopedRegistryValue&) = delete;

    // Sets the value as REG_SZ, making the key if needed.
    bool set(const std::string& text);
    // Removes the value; true when it is gone.
    bool remove();

private:
    HKEY root_;
    std::string keyPath_;
    std::string name_;
    bool keyExisted_ = false;
    bool valueExisted_ = false;
    DWORD type_ = REG_NONE;
    std::string data_;
};

}  // namespace e2e
