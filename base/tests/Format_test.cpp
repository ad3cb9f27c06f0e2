// Filling in texts: printf-style message formats, and %NAME% references.
#include <gtest/gtest.h>

#include <map>

#include "base/EnvironmentReferences.h"
#include "base/Format.h"

namespace tarn {
namespace {

TEST(Format, FillsTextsAndNumbersInOrder) {
    EXPECT_EQ(Format(L"Windows exception: %s (errno = %d).\n", {WString(L"failed"), -5LL}),
              L"Windows exception: failed (errno = -5).\n");
    EXPECT_EQ(Format(L"version between %s and %s", {WString(L"1.8"), WString(L"11")}), L"version between 1.8 and 11");
    EXPECT_EQ(Format(L"100%% sure", {}), L"100% sure");
    EXPECT_EQ(Format(L"%d|%d|%s", {0LL, 9223372036854775807LL, -9223372036854775807LL - 1}),
              L"0|9223372036854775807|-9223372036854775808");
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

// %NAME% references by rule (over the real environment, through the launcher, in Hosting_test).
bool FakeVariables(const WString& name, WString& value) {
    static const std::map<WString, WString> variables = {{L"HOME", L"C:\\Users\\me"}, {L"EMPTY", L""}};
    const auto found = variables.find(name);
    if (found == variables.end()) return false;
    value = found->second;
    return true;
}

TEST(Environment, ExpandReferencesKeepsUnsetNamesAndLonePercentSigns) {
    const std::pair<const wchar_t*, const wchar_t*> cases[] = {
        {L"%HOME%\\lib", L"C:\\Users\\me\\lib"},
        {L"a%EMPTY%b", L"ab"},
        {L"%UNSET%\\x", L"%UNSET%\\x"},
        {L"%UNSET%HOME%", L"%UNSET%HOME%"},  // the closing % of an unset name starts nothing
        {L"%HOME%%HOME%", L"C:\\Users\\me""C:\\Users\\me"},
        {L"50%", L"50%"},
        {L"%%", L"%%"},
        {L"100% %HOME%", L"100% %HOME%"},    // "% " is read as a name, unset
        {L"", L""},
    };
    for (const auto& [text, expected] : cases) EXPECT_EQ(ExpandReferences(text, &FakeVariables), expected) << text;
}

}  // namespace
}  // namespace tarn
