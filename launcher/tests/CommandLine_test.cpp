// The program's arguments from its command line. The word rules reach main through the real
// launcher (Console_test, Hosting_test); no test start gives blanks around the command line or an
// unquoted program path.
#include <gtest/gtest.h>

#include "launcher/CommandLine.h"

namespace tarn {
namespace {

TEST(ProgramArguments, DropsTheProgramPathAndSurroundingWhiteSpace) {
    EXPECT_EQ(ProgramArguments(L"  C:\\App\\Start.exe -nosplash \"a b\"\t\r\n"), (WStringList{L"-nosplash", L"a b"}));
    EXPECT_EQ(ProgramArguments(L""), WStringList{});
}

}  // namespace
}  // namespace tarn
