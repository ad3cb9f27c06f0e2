// Filling in texts: printf-style message formats, and %NAME% references.
#include <gtest/gtest.h>

#include <map>

#include "base/EnvironmentReferences.h"
#include "base/Format.h"
#ifdef _WIN32
#include <windows.h>

#include "base/Environment.h"
#endif

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

// %NAME% references, by rule and over this process's real environment.
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

// The native build of the core has no process environment of Windows.
#ifdef _WIN32
TEST(Environment, ExpansionOfTheProcessEnvironmentHasNoLengthLimit) {
    struct Variables {  // set while the test runs, removed whatever happens
        Variables() { SetEnvironmentVariableW(L"TARN_TEST_JAR", L"x.jar"), SetEnvironmentVariableW(L"TARN_TEST_EMPTY", L""); }
        ~Variables() { SetEnvironmentVariableW(L"TARN_TEST_JAR", nullptr), SetEnvironmentVariableW(L"TARN_TEST_EMPTY", nullptr); }
    } variables;
    WString text, expected;
    for (int i = 0; i < 4000; ++i) {
        text += L"C:\\app\\lib\\library-" + std::to_wstring(i) + L"-%TARN_TEST_JAR%;";
        expected += L"C:\\app\\lib\\library-" + std::to_wstring(i) + L"-x.jar;";
    }
    ASSERT_GT(text.size(), 100000u);
    EXPECT_EQ(ExpandEnvironment(text), expected);
    EXPECT_EQ(ExpandEnvironment(L"[%TARN_TEST_EMPTY%][%TARN_TEST_UNSET_NAME%]"), L"[][%TARN_TEST_UNSET_NAME%]");
}
#endif

}  // namespace
}  // namespace tarn
