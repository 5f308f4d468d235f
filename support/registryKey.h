// The owner of an open registry key, closed on every path.
#pragma once

#include <windows.h>

// An open registry key. RegCloseKey is called even for a key that never
// opened, which the platform answers with an error and no harm.
class RegistryKey {
public:
    RegistryKey() = default;
    RegistryKey(const RegistryKey&) = delete;
    RegistryKey& operator=(const RegistryKey&) = delete;
    ~RegistryKey() { RegCloseKey(key_); }
    HKEY* receive() { return &key_; }
    HKEY get() const { return key_; }

private:
    HKEY key_ = nullptr;
};
