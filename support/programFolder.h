// Where the program's executable lives.
#pragma once

#include <string>

// The folder of the program's executable without a trailing backslash, except
// at a drive root ("C:\"). Set once at start-up.
extern std::string appFolder;

// The full path of the running executable up to and including the last
// backslash, as the platform reports it.
std::string programFolder();
