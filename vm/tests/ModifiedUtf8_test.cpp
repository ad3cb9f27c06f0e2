// Decoding what GetStringUTFChars hands back.
#include <gtest/gtest.h>

#include "vm/ModifiedUtf8.h"

namespace tarn {
namespace {

TEST(ModifiedUtf8, DecodesEachSequenceLengthAndReplacesMalformedBytes) {
    const WString grin{wchar_t(0xD83D), wchar_t(0xDE00)};  // U+1F600
    const std::pair<const char*, WString> cases[] = {
        {"caf\xC3\xA9", L"caf\u00E9"},
        {"\xE2\x82\xAC\xE6\x97\xA5", L"\u20AC\u65E5"},
        {"a\xC0\x80" "b", WString(L"a\0b", 3)},  // NUL in its two-byte form
        {"\xED\xA0\xBD\xED\xB8\x80", grin},       // as two surrogates
        {"\xF0\x9F\x98\x80", grin},               // the same in standard UTF-8
        {"", L""},
        {"a\x80z", L"a\uFFFDz"},                  // stray continuation byte
        {"a\xE2\x82", L"a\uFFFD"},                // cut short by the end
        {"\xC3z", L"\uFFFDz"},                    // lead without continuation
        {"\xFF", L"\uFFFD"},
        {"\xF7\xBF\xBF\xBF", L"\uFFFD"},          // beyond U+10FFFF
    };
    for (const auto& [bytes, expected] : cases) EXPECT_EQ(FromModifiedUtf8(bytes), expected) << bytes;
    EXPECT_EQ(FromModifiedUtf8(nullptr), L"");
}

}  // namespace
}  // namespace tarn
