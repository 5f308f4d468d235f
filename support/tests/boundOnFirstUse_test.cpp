#include "support/boundOnFirstUse.h"

#include <gtest/gtest.h>

namespace {

using LstrlenA = decltype(&::lstrlenA);

TEST(BoundOnFirstUse, CallsThePlatformFunctionFoundByName) {
    char buffer[8] = "xxxxxxx";
    EXPECT_EQ(bound::lstrcpynA(buffer, "abcdef", 4), buffer);
    EXPECT_STREQ(buffer, "abc");
    EXPECT_TRUE(bound::lstrcpynA.available());
}

TEST(BoundOnFirstUse, AMissingLibraryGivesTheNeutralValue) {
    bound::Function<LstrlenA> missing("tarnwick-no-such-library.dll", "lstrlenA");
    EXPECT_FALSE(missing.available());
    EXPECT_EQ(missing("abc"), 0);
}

TEST(BoundOnFirstUse, AMissingEntryPointGivesTheNeutralValue) {
    bound::Function<decltype(&::lstrcpynA)> missing("kernel32.dll", "NoSuchEntryPoint");
    char buffer[4] = "abc";
    EXPECT_EQ(missing(buffer, "x", 2), nullptr);
    EXPECT_STREQ(buffer, "abc");
}

int WINAPI fakeLength(LPCSTR) {
    return 42;
}

TEST(BoundOnFirstUse, ATestCanStandInForThePlatformFunction) {
    bound::Function<LstrlenA> length("kernel32.dll", "lstrlenA");
    EXPECT_EQ(length("abc"), 3);
    length.replace(fakeLength);
    EXPECT_EQ(length("abc"), 42);
    length.replace(nullptr);
    EXPECT_EQ(length("abc"), 0);
    length.forget();
    EXPECT_EQ(length("abcd"), 4);
}

}  // namespace
