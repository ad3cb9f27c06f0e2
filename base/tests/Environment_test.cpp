// %NAME% expansion, by rule and over this process's real environment.
#include <gtest/gtest.h>
#ifdef _WIN32
#include <windows.h>
#endif

#include <map>

#include "base/Environment.h"
#include "base/EnvironmentReferences.h"

namespace tarn {
namespace {

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
