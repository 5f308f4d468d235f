#include "support/basOSinfo.h"

OSInfoRecord OSInfo;

bool isNtPlatform(DWORD platformId) {
    return platformId == VER_PLATFORM_WIN32_NT;
}

void getOSInfo(OSInfoRecord& info) {
    OSVERSIONINFOA version = {};
    version.dwOSVersionInfoSize = sizeof version;  // 148 bytes
    static_assert(sizeof(OSVERSIONINFOA) == 148, "OSVERSIONINFOA layout");
    GetVersionExA(&version);  // on failure the record stays zero
    info.isNT = isNtPlatform(version.dwPlatformId);
}
