// The launcher's rules that a test run cannot show: a command line with blanks around it or an
// unquoted program path (the word rules are rows of Console_test and Hosting_test), restarts spread
// over minutes, and exit codes at the edges of the 32-bit range (the rest are rows of ExitCodes_test).
#include <gtest/gtest.h>

#include "launcher/CommandLine.h"
#include "launcher/LifecycleRules.h"

namespace tarn {
namespace {

TEST(ProgramArguments, DropsTheProgramPathAndSurroundingWhiteSpace) {
    EXPECT_EQ(ProgramArguments(L"  C:\\App\\Start.exe -nosplash \"a b\"\t\r\n"), (WStringList{L"-nosplash", L"a b"}));
    EXPECT_EQ(ProgramArguments(L""), WStringList{});
}

TEST(LifecycleRules, RestartsWithinAnyWindowAndExitCodesOfThirtyTwoBits) {
    RestartBudget budget(2, 1000);  // a third restart within a second of the first is refused, and not counted
    for (const auto& [now, allowed] : {std::pair<uint64_t, bool>{0, true}, {10, true}, {999, false}, {1000, true},
                                       {1009, false}, {1010, true}, {5000, true}, {5001, true}, {5002, false}}) {
        EXPECT_EQ(budget.Allow(now), allowed) << now;
    }
    std::vector<int32_t> codes;
    EXPECT_TRUE(ParseExitCodes(L" 2147483647;,-2147483648 ", codes));
    EXPECT_EQ(codes, (std::vector<int32_t>{INT32_MAX, INT32_MIN}));
    for (const WString text : {L"2147483648", L"-2147483649", L"99999999999999999999", L"+5", L"-", L"0x17", L"\u0663"}) {
        EXPECT_FALSE(ParseExitCodes(text, codes) || !codes.empty()) << std::string(text.begin(), text.end());
    }
}

}  // namespace
}  // namespace tarn
