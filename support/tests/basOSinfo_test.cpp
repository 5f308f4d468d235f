#include "support/basOSinfo.h"

#include <gtest/gtest.h>

TEST(OSInfo, OnlyPlatformIdTwoIsTheNtFamily) {
    EXPECT_TRUE(isNtPlatform(VER_PLATFORM_WIN32_NT));
    EXPECT_FALSE(isNtPlatform(VER_PLATFORM_WIN32_WINDOWS));
    EXPECT_FALSE(isNtPlatform(VER_PLATFORM_WIN32s));
    EXPECT_FALSE(isNtPlatform(3));
}

TEST(OSInfo, WineReportsTheNtFamilyByDefault) {
    OSInfoRecord info;
    info.isNT = false;
    getOSInfo(info);
    EXPECT_TRUE(info.isNT);
}
