// Splitting command lines into the Java program's arguments.
#include <gtest/gtest.h>

#include "launcher/CommandLine.h"

namespace tarn {
namespace {

// Quoted words and an empty quoted word also reach main in Hosting_test.
TEST(SplitCommandLine, OnlySpacesSeparateAndQuotesGroupWithoutEscapes) {
    const std::pair<WString, WStringList> cases[] = {
        {L"", {}},
        {L"a", {L"a"}},
        {L"a  b", {L"a", L"b"}},
        {L"a\tb", {L"a\tb"}},
        {L"\"unclosed rest of line", {L"unclosed rest of line"}},
        {L"a\"b c\"", {L"a\"b", L"c\""}},
        {L"\"ab\"cd", {L"ab", L"cd"}},
        {L"\"a\\\"b\"", {L"a\\", L"b\""}},
        {L"x ", {L"x"}},
    };
    for (const auto& [text, words] : cases) {
        WStringList list = {L"kept"};
        SplitCommandLine(text, list);
        WStringList expected = {L"kept"};
        expected.insert(expected.end(), words.begin(), words.end());
        EXPECT_EQ(list, expected) << std::string(text.begin(), text.end());
    }
}

TEST(ProgramArguments, DropsTheProgramPathAndSurroundingWhiteSpace) {
    EXPECT_EQ(ProgramArguments(L"\"C:\\App\\Start.exe\""), WStringList{});
    EXPECT_EQ(ProgramArguments(L"  C:\\App\\Start.exe -nosplash \"a b\"\t\r\n"), (WStringList{L"-nosplash", L"a b"}));
    EXPECT_EQ(ProgramArguments(L""), WStringList{});
}

}  // namespace
}  // namespace tarn
