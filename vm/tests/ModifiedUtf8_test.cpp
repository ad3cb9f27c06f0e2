// Decoding what GetStringUTFChars hands back.
#include <gtest/gtest.h>

#include "vm/ModifiedUtf8.h"

namespace tarn {
namespace {

TEST(ModifiedUtf8, DecodesEachSequenceLength) {
    const std::pair<const char*, WString> cases[] = {
        {"com/example/App", L"com/example/App"},
        {"caf\xC3\xA9", L"caf\u00E9"},
        {"\xE2\x82\xAC 5", L"\u20AC 5"},
        {"\xE6\x97\xA5\xE6\x9C\xAC", L"\u65E5\u672C"},
        {"a\xC0\x80" "b", WString(L"a\0b", 3)},                          // NUL in its two-byte form
        {"\xED\xA0\xBD\xED\xB8\x80", WString{wchar_t(0xD83D), wchar_t(0xDE00)}},  // U+1F600 as two surrogates
        {"\xF0\x9F\x98\x80", WString{wchar_t(0xD83D), wchar_t(0xDE00)}},          // the same in standard UTF-8
        {"", L""},
    };
    for (const auto& [bytes, expected] : cases) EXPECT_EQ(FromModifiedUtf8(bytes), expected) << bytes;
}

TEST(ModifiedUtf8, MalformedBytesBecomeReplacementCharacters) {
    EXPECT_EQ(FromModifiedUtf8("a\x80z"), L"a\uFFFDz");           // stray continuation byte
    EXPECT_EQ(FromModifiedUtf8("a\xE2\x82"), L"a\uFFFD");         // cut short by the end
    EXPECT_EQ(FromModifiedUtf8("\xC3z"), L"\uFFFDz");             // lead without continuation
    EXPECT_EQ(FromModifiedUtf8("\xFF"), L"\uFFFD");
    EXPECT_EQ(FromModifiedUtf8("\xF7\xBF\xBF\xBF"), L"\uFFFD");   // beyond U+10FFFF
    EXPECT_EQ(FromModifiedUtf8(nullptr), L"");
}

}  // namespace
}  // namespace tarn
