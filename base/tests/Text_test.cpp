// Slicing rules whose clamping differs from the standard library's.
#include <gtest/gtest.h>

#include "base/Text.h"

namespace tarn {
namespace {

TEST(Text, MidClampsStartAndCount) {
    EXPECT_EQ(Mid(L"abcdefg", 5, 10), L"fg");
    EXPECT_EQ(Mid(L"abcdefg", 9, 1), L"");
    EXPECT_EQ(Mid(L"abcdefg", -2, 3), L"abc");
    EXPECT_EQ(Mid(L"abcdefg", 2, -1), L"");
}

TEST(Text, RightClampsCount) {
    EXPECT_EQ(Right(L"abc", -3), L"");
    EXPECT_EQ(Right(L"abc", 100), L"abc");
    EXPECT_EQ(Right(L"abc", 2), L"bc");
}

TEST(Text, ComparisonsAreExactUnlessSaidOtherwise) {
    EXPECT_NE(WString(L"Yes"), WString(L"yes"));
    EXPECT_TRUE(EqualsNoCase(L"Yes", L"yEs"));
    EXPECT_FALSE(EqualsNoCase(L"Yes", L"Yes "));
    EXPECT_EQ(FindInList({L"a", L"-nosplash", L"-nosplash"}, L"-nosplash"), 1);
    EXPECT_EQ(FindInList({L"-NOSPLASH"}, L"-nosplash"), -1);
}

TEST(Text, ReplaceAndReverseFind) {
    WString name = L"com.example.Main";
    EXPECT_EQ(ReplaceAll(name, L'.', L'/'), 2);
    EXPECT_EQ(name, L"com/example/Main");
    EXPECT_EQ(ReverseFind(name, L'/'), 11);
    EXPECT_EQ(ReverseFind(name, L'\\'), -1);
}

}  // namespace
}  // namespace tarn
