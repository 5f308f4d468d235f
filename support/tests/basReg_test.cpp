#include "support/basReg.h"

#include <windows.h>

#include <gtest/gtest.h>

namespace {

const char testKey[] = "SOFTWARE\\TarnwickTest";

class GetRegString : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, testKey, 0, nullptr, 0, KEY_ALL_ACCESS,
                                  nullptr, &key_, nullptr),
                  ERROR_SUCCESS);
    }
    void TearDown() override {
        RegCloseKey(key_);
        RegDeleteKeyA(HKEY_LOCAL_MACHINE, testKey);
    }
    void set(const char* name, const std::string& value) {
        ASSERT_EQ(RegSetValueExA(key_, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                                 static_cast<DWORD>(value.size() + 1)),
                  ERROR_SUCCESS);
    }
    HKEY key_ = nullptr;
};

TEST_F(GetRegString, ReadsAStringValue) {
    set("SourcePath", "C:\\src\\");
    EXPECT_EQ(getRegString(testKey, "SourcePath"), "C:\\src\\");
}

TEST_F(GetRegString, DropsLeadingBlanksOnly) {
    set("SourcePath", "  D:\\I386  ");
    EXPECT_EQ(getRegString(testKey, "SourcePath"), "D:\\I386  ");
}

TEST_F(GetRegString, MissingKeyOrValueGivesEmptyText) {
    EXPECT_EQ(getRegString(testKey, "NoSuchValue"), "");
    EXPECT_EQ(getRegString("SOFTWARE\\TarnwickNoSuchKey", "SourcePath"), "");
}

TEST_F(GetRegString, TakesUpTo253Characters) {
    const std::string longest(253, 'x');
    set("SourcePath", longest);
    EXPECT_EQ(getRegString(testKey, "SourcePath"), longest);
}

TEST_F(GetRegString, AValueTooLongForTheBufferGivesEmptyText) {
    set("SourcePath", std::string(254, 'y'));
    EXPECT_EQ(getRegString(testKey, "SourcePath"), "");
    set("SourcePath", std::string(1000, 'z'));
    EXPECT_EQ(getRegString(testKey, "SourcePath"), "");
}

}  // namespace
