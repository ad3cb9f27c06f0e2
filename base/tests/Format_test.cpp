// Filling in texts: printf-style message formats, and %NAME% references.
#include <gtest/gtest.h>

#include <map>

#include "base/EnvironmentReferences.h"
#include "base/Format.h"

namespace tarn {
namespace {

// Messages show the usual cases (texts, negative codes, an empty reason, a class name holding "%s")
// in Hosting_test, JreNotFound_test and Console_test.
TEST(Format, FillsInOrderAndLeavesMissingArgumentsAndUnknownConversions) {
    EXPECT_EQ(Format(L"100%% sure", {}), L"100% sure");
    EXPECT_EQ(Format(L"%d|%d|%s", {0LL, 9223372036854775807LL, -9223372036854775807LL - 1}),
              L"0|9223372036854775807|-9223372036854775808");
    EXPECT_EQ(Format(L"%s and %s", {WString(L"one")}), L"one and ");
    EXPECT_EQ(Format(L"%x %", {}), L"%x %");
}

// %NAME% references by rule (a set, an empty and an unset one over the real environment, through the
// launcher, in Hosting_test).
bool FakeVariables(const WString& name, WString& value) {
    static const std::map<WString, WString> variables = {{L"HOME", L"C:\\Users\\me"}};
    const auto found = variables.find(name);
    if (found == variables.end()) return false;
    value = found->second;
    return true;
}

TEST(Environment, ExpandReferencesKeepsUnsetNamesAndLonePercentSigns) {
    const std::pair<const wchar_t*, const wchar_t*> cases[] = {
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
