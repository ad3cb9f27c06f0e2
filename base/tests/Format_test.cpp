// printf-style formatting of the message texts.
#include <gtest/gtest.h>

#include "base/Format.h"

namespace tarn {
namespace {

TEST(Format, FillsTextsAndNumbersInOrder) {
    EXPECT_EQ(Format(L"Windows exception: %s (errno = %d).\n", {WString(L"failed"), -5LL}),
              L"Windows exception: failed (errno = -5).\n");
    EXPECT_EQ(Format(L"version between %s and %s", {WString(L"1.8"), WString(L"11")}), L"version between 1.8 and 11");
    EXPECT_EQ(Format(L"100%% sure", {}), L"100% sure");
}

TEST(Format, MissingArgumentsPrintNothingAndUnknownConversionsStay) {
    EXPECT_EQ(Format(L"JNI exception: %s\nReason: %s.\n", {WString(L"failed to create the Java VM"), WString()}),
              L"JNI exception: failed to create the Java VM\nReason: .\n");
    EXPECT_EQ(Format(L"%s and %s", {WString(L"one")}), L"one and ");
    EXPECT_EQ(Format(L"%x %", {}), L"%x %");
}

TEST(Format, ArgumentTextIsNeverReadAsAFormat) {
    EXPECT_EQ(Format(L"Could not find the main class %s.\n", {WString(L"a%s%d%n")}),
              L"Could not find the main class a%s%d%n.\n");
}

}  // namespace
}  // namespace tarn
