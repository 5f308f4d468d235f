// Converting text between the system's encodings, as the tests read and
// write it (through the system's own conversions, not the program's).
#pragma once

#include <string>

namespace e2e {

std::string toAnsi(const std::wstring& text);
std::wstring fromAnsi(const std::string& text);
std::string toUtf8(const std::wstring& text);
std::wstring fromUtf8(const std::string& text);

}  // namespace e2e
