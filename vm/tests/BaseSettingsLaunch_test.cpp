// The built-in base settings seen from the Java program: a launcher built with a base text runs
// the base's main class with the base's options, a file value replaces them, a "+" value extends.
#include <gtest/gtest.h>

#include "tests/kit/Locations.h"
#include "vm/tests/LaunchKit.h"

namespace tarn::test {
namespace {

// Built from launcher/tests/data/base-test.ini: Main Class com.example.BaseMain, VM parameters
// -Xmx256m, System Path base-path.
WString BaseTestLauncher() { return BuildDir() + L"\\tarn64_base_test.exe"; }
const WString kUnlock = L"[Product Information]\r\nUpgrade Code={6F1C8E52-3A9D-4B7E-9C21-5D0A7B3E8F14}\r\n";

// The options after the library path and class path, before the two hooks.
std::vector<std::string> VmParameters(const Trace& trace) {
    const std::vector<std::string> options = VmOptionTexts(trace);
    if (options.size() < 4) return {};
    return {options.begin() + 2, options.end() - 2};
}

TEST(BaseSettingsLaunch, BaseValuesAreReplacedByTheFileAndExtendedByPlusSections) {
    struct Case {
        const char* what;
        WString settings;
        std::vector<std::string> parameters;
    } cases[] = {
        {"the base text alone", L"", {"-Xmx256m"}},
        {"a file value replaces it", L"Virtual Machine Parameters=-Dfrom=file\r\n", {"-Dfrom=file"}},
        {"a plus value extends it", L"[Java Runtime Environment+]\r\nVirtual Machine Parameters=-Dplus=1\r\n",
         {"-Xmx256m", "-Dplus=1"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        LaunchApp app({}, BaseTestLauncher());
        // An empty "Main Class" in the file reads as absent, so the base text's class runs.
        app.WriteIni(c.settings + kUnlock, L"classes", L"");
        app.WriteMain("method main\n  out base main ran\n  env Path\nend\n", "com/example/BaseMain");
        const Trace trace = RunCleanly(app, 0);
        ASSERT_FALSE(Printed(trace).empty()) << trace.Text();
        EXPECT_EQ(Printed(trace).front(), L"base main ran");
        EXPECT_EQ(PrintedValue(trace, "Path").rfind(L"base-path;", 0), 0u);
        EXPECT_EQ(VmParameters(trace), c.parameters);
    }
}

}  // namespace
}  // namespace tarn::test
