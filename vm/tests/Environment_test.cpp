// The environment and the options the Java program finds: TARN_JVM_PATH, TARN_JVM_HOME, Path and
// the library path option ahead of everything else.
#include <gtest/gtest.h>

#include "base/Environment.h"
#include "vm/tests/LaunchKit.h"

namespace tarn::test {
namespace {

const char* const kPrintEnvironment =
    "method main\n"
    "  env TARN_JVM_PATH\n"
    "  env TARN_JVM_HOME\n"
    "  env Path\n"
    "  prop java.library.path\n"
    "end\n";

TEST(Environment, RuntimeVariablesPathAndLibraryPathAsTheProgramSeesThem) {
    LaunchApp app;
    app.WriteIni(L"System Path=C:\\Tools;%TARN_TEST_EXTRA%\r\nLibrary Path=native;%TARN_TEST_EXTRA%\r\n");
    app.WriteMain(kPrintEnvironment);
    const WString path = L"C:\\windows\\system32;C:\\windows";
    const Trace trace = RunCleanly(app, 0, L"", {{L"Path", path}, {L"TARN_TEST_EXTRA", L"D:\\extra"}});
    const WString home = app.RuntimeHome();
    EXPECT_EQ(PrintedValue(trace, "TARN_JVM_PATH"), app.JvmPath());
    EXPECT_EQ(PrintedValue(trace, "TARN_JVM_HOME"), home);
    EXPECT_EQ(PrintedValue(trace, "Path"), L"C:\\Tools;D:\\extra;" + path + L";" + home + L"\\bin");
    const WString libraryPath = L"native;D:\\extra;" + app.Path() + L"\\;.;" + path + L";" + home + L"\\lib";
    EXPECT_EQ(PrintedValue(trace, "java.library.path"), libraryPath);

    const std::vector<std::string> options = VmOptionTexts(trace);
    ASSERT_GE(options.size(), 4u) << trace.Text();
    EXPECT_EQ(options[0], Utf8(L"-Djava.library.path=" + libraryPath));
    EXPECT_EQ(options[1].rfind("-Djava.class.path=", 0), 0u);
    EXPECT_EQ(options[options.size() - 2], "abort");
    EXPECT_EQ(options.back(), "exit");
}

TEST(Environment, WithoutSettingsPathOnlyGainsTheRuntimeAndNoLibraryPathOptionIsGiven) {
    LaunchApp app;
    app.WriteIni(L"");
    app.WriteMain(kPrintEnvironment);
    // The runtime's bin folder is added even when Path holds it already.
    const WString path = L"C:\\windows\\system32;" + app.RuntimeHome() + L"\\bin";
    const Trace trace = RunCleanly(app, 0, L"", {{L"Path", path}});
    EXPECT_EQ(PrintedValue(trace, "Path"), path + L";" + app.RuntimeHome() + L"\\bin");
    // Only the class path option and the two hooks.
    const std::vector<std::string> options = VmOptionTexts(trace);
    ASSERT_EQ(options.size(), 3u) << trace.Text();
    EXPECT_EQ(options[0].rfind("-Djava.class.path=", 0), 0u);
    const std::vector<VmOption> withHooks = VmOptions(trace);
    EXPECT_FALSE(withHooks[0].extraInfo);
    EXPECT_EQ(withHooks[1].text, "abort");
    EXPECT_TRUE(withHooks[1].extraInfo);
    EXPECT_EQ(withHooks[2].text, "exit");
    EXPECT_TRUE(withHooks[2].extraInfo);
}

}  // namespace
}  // namespace tarn::test
