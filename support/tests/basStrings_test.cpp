#include "support/basStrings.h"

#include <windows.h>

#include <fstream>
#include <iterator>

#include <gtest/gtest.h>

using namespace std::string_literals;

TEST(NTrim, TrimsBlanksAtBothEndsThenCutsAtTheFirstNul) {
    EXPECT_EQ(nTrim(""), "");
    EXPECT_EQ(nTrim("   "), "");
    EXPECT_EQ(nTrim("  abc  "), "abc");
    EXPECT_EQ(nTrim("\0abc"s), "");
    EXPECT_EQ(nTrim("ab\0cd"s), "ab");
    EXPECT_EQ(nTrim(" \0a"s), "");
}

TEST(NTrim, KeepsTabsAndOtherWhiteSpace) {
    EXPECT_EQ(nTrim("\tabc\t"), "\tabc\t");
    EXPECT_EQ(nTrim(" \r\nx\n "), "\r\nx\n");
}

TEST(NTrim, CaptionBufferKeepsBlanksInFrontOfTheNul) {
    // A caption buffer: the caption, its NUL, nothing behind.
    EXPECT_EQ(nTrim("  lead and trail  \0"s), "lead and trail  ");
}

TEST(NTrim, ClassBufferLosesBlanksAtBothEnds) {
    // A class buffer: the name, its NUL, then the rest of the blanks.
    std::string buffer = blankBuffer(260);
    buffer.replace(0, 8, "MyClass\0"s);
    EXPECT_EQ(nTrim(buffer), "MyClass");
}

// A caption is read up to 65,535 characters: one window cannot fill the log.
TEST(KeptTextLength, CutsACaptionAt65535Characters) {
    const int rows[][2] = {{-1, 0}, {0, 0}, {65535, 65535}, {65536, 65535}, {17000000, 65535}};
    for (const auto& row : rows) {
        EXPECT_EQ(keptTextLength(row[0]), row[1]) << row[0];
    }
}

TEST(StripTrailingBackslash, RemovesOneBackslashExceptAtADriveRoot) {
    EXPECT_EQ(stripTrailingBackslash("C:\\"), "C:\\");
    EXPECT_EQ(stripTrailingBackslash("C:\\Tools\\"), "C:\\Tools");
    EXPECT_EQ(stripTrailingBackslash("C:\\Tools"), "C:\\Tools");
    EXPECT_EQ(stripTrailingBackslash("C:\\Tools\\\\"), "C:\\Tools\\");
    EXPECT_EQ(stripTrailingBackslash("\\"), "");
    EXPECT_EQ(stripTrailingBackslash(""), "");
    EXPECT_EQ(stripTrailingBackslash("\\\\server\\share\\"), "\\\\server\\share");
}

class TryFileCopy : public ::testing::Test {
protected:
    void SetUp() override {
        char temp[MAX_PATH];
        ASSERT_NE(GetTempPathA(MAX_PATH, temp), 0u);
        folder_ = std::string(temp) + "tarnwick-copy-test";
        CreateDirectoryA(folder_.c_str(), nullptr);
        source_ = folder_ + "\\source.bin";
        destination_ = folder_ + "\\destination.bin";
        DeleteFileA(destination_.c_str());
        std::ofstream(source_, std::ios::binary) << "PSAPI stand-in";
    }
    void TearDown() override {
        DeleteFileA(source_.c_str());
        DeleteFileA(destination_.c_str());
        RemoveDirectoryA(folder_.c_str());
    }
    static std::string contents(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    std::string folder_, source_, destination_;
};

TEST_F(TryFileCopy, CopiesAnExistingFile) {
    EXPECT_TRUE(tryFileCopy(source_, destination_));
    EXPECT_EQ(contents(destination_), "PSAPI stand-in");
}

TEST_F(TryFileCopy, ReplacesAnExistingDestination) {
    std::ofstream(destination_, std::ios::binary) << "old";
    EXPECT_TRUE(tryFileCopy(source_, destination_));
    EXPECT_EQ(contents(destination_), "PSAPI stand-in");
}

TEST_F(TryFileCopy, ReportsFailureInsteadOfRaisingIt) {
    EXPECT_FALSE(tryFileCopy(folder_ + "\\missing.bin", destination_));
    EXPECT_FALSE(tryFileCopy(source_, folder_ + "\\no such folder\\x.bin"));
    EXPECT_FALSE(tryFileCopy("", destination_));
    EXPECT_FALSE(tryFileCopy(source_ + "\0.txt"s, destination_));
    EXPECT_EQ(GetFileAttributesA(destination_.c_str()), INVALID_FILE_ATTRIBUTES);
}
