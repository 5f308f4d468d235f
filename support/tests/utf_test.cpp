#include "support/utf.h"

#include <gtest/gtest.h>

namespace {

// Each row: UTF-16 as the system gives it, and the UTF-8 the program keeps.
struct Row {
    const char* name;
    std::wstring utf16;
    std::string utf8;
};

TEST(Utf, ConvertsBothWaysWithoutLoss) {
    const std::vector<Row> rows = {
        {"empty", L"", ""},
        {"ASCII", L"title='x'", "title='x'"},
        {"Latin, Cyrillic, Chinese", L"\u041F\u0440\u0438\u0432\u0435\u0442 \u4F60\u597D caf\u00E9",
         "\xD0\x9F\xD1\x80\xD0\xB8\xD0\xB2\xD0\xB5\xD1\x82 \xE4\xBD\xA0\xE5\xA5\xBD caf\xC3\xA9"},
        {"a surrogate pair", L"\xD83D\xDE00", "\xF0\x9F\x98\x80"},
        {"a lone high surrogate", std::wstring(L"a\xD83Dz"), "a\xED\xA0\xBDz"},
        {"a lone low surrogate at the end", std::wstring(L"a\xDE00"), "a\xED\xB8\x80"},
        {"the highest code point", L"\xDBFF\xDFFF", "\xF4\x8F\xBF\xBF"},
        {"a NUL and what follows", std::wstring(L"ab\0 cd", 6), std::string("ab\0 cd", 6)},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(utf8FromUtf16(row.utf16), row.utf8) << row.name;
        EXPECT_EQ(utf16FromUtf8(row.utf8), row.utf16) << row.name;
    }
}

TEST(Utf, BadUtf8BecomesReplacementCharacters) {
    EXPECT_EQ(utf16FromUtf8("a\x80z"), L"a\xFFFDz");
    EXPECT_EQ(utf16FromUtf8("\xC0\xAF"), L"\xFFFD\xFFFD");        // overlong
    EXPECT_EQ(utf16FromUtf8("\xE4\xBD"), L"\xFFFD\xFFFD");        // cut short
    EXPECT_EQ(utf16FromUtf8("\xF5\x80\x80\x80"), L"\xFFFD\xFFFD\xFFFD\xFFFD");
}

}  // namespace
