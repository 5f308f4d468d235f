// Reading the registry.
#pragma once

#include <string>

// The string value `valueName` of the key `keyPath` under
// HKEY_LOCAL_MACHINE, without leading blanks. Empty text when the key or
// the value is missing, access is denied, or the value does not fit in 253
// characters.
std::string getRegString(const std::string& keyPath, const std::string& valueName);
