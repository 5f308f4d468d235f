// Which family of Windows the program runs on, read once at start-up.
#pragma once

#include <windows.h>

struct OSInfoRecord {
    bool isNT = false;  // platform id 2: NT 4.0, 2000, XP and later
};

extern OSInfoRecord OSInfo;

// The family test on its own, so it can be checked for any platform id.
bool isNtPlatform(DWORD platformId);

// Fills `info` from GetVersionExA. A failed call counts as the 95 family.
void getOSInfo(OSInfoRecord& info);
