// What main receives: the command line's words, then those of "Cmd".
#include <gtest/gtest.h>

#include "vm/tests/LaunchKit.h"

namespace tarn::test {
namespace {

TEST(Arguments, CommandLineWordsThenCmdWordsReachMainUnchanged) {
    LaunchApp app;
    app.WriteIni(L"[Application]\r\nCmd=%TARN_TEST_WORD% \"cmd two\" \"\"  last\r\n");
    app.WriteMain("method main\n  args\nend\n");
    const WString nonLatin = L"\u00DCn\u00EFc\u00F6d\u00E9-\u65E5\u672C-\u0416";
    const RunResult result =
        app.Run(L"\"two words\" \"\" plain -nosplash " + nonLatin + L" /nosplash -NOSPLASH", {{L"TARN_TEST_WORD", L"from-env"}});
    ASSERT_TRUE(result.finished);
    EXPECT_EQ(result.ExitCode(), 0);
    EXPECT_EQ(result.DialogTexts(), WStringList{});
    const Trace trace = app.ReadTrace();
    EXPECT_TRUE(NoWarnings(trace));
    EXPECT_EQ(Printed(trace), (WStringList{L"two words", L"", L"plain", L"-nosplash", nonLatin, L"/nosplash",
                                           L"-NOSPLASH", L"from-env", L"cmd two", L"last"}))
        << trace.Text();
}

TEST(Arguments, NoWordsGiveAnEmptyArray) {
    LaunchApp app;
    app.WriteIni(L"");
    app.WriteMain("method main\n  argc\nend\n");
    const Trace trace = RunCleanly(app, 0);
    EXPECT_EQ(Printed(trace), WStringList{L"0"}) << trace.Text();
}

}  // namespace
}  // namespace tarn::test
