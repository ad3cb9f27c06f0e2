// The built-in base settings seen from the Java program: a launcher built with a base text runs
// the base's main class with the base's options, a file value replaces them, a "+" value extends.
#include <gtest/gtest.h>

#include "tests/kit/Locations.h"
#include "tests/kit/Scenario.h"

namespace tarn::test {
namespace {

TEST(BaseSettingsLaunch, BaseValuesAreReplacedByTheFileAndExtendedByPlusSections) {
    // Built from launcher/tests/data/base-test.ini: Main Class com.example.BaseMain, VM parameters
    // -Xmx256m, System Path base-path, Library Path C:\Bibliothèque\𝄞 (UTF-8 with a byte-order mark
    // and LF line ends). An empty "Main Class" in the file reads as absent.
    const WString unlock = L"[Product Information]\r\nUpgrade Code={6F1C8E52-3A9D-4B7E-9C21-5D0A7B3E8F14}\r\n";
    struct Row {
        const char* what;
        WString settings;
        std::vector<std::string> parameters;  // the options after library path and class path, before the hooks
    } rows[] = {
        {"the base text alone", L"", {"-Xmx256m"}},
        {"a file value replaces it", L"Virtual Machine Parameters=-Dfrom=file\r\n", {"-Dfrom=file"}},
        {"a plus value extends it", L"[Java Runtime Environment+]\r\nVirtual Machine Parameters=-Dplus=1\r\n",
         {"-Xmx256m", "-Dplus=1"}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        const Outcome o =
            Launch({.settings = L"[Class Path]\r\nClass Path=classes\r\n[Java Runtime Environment]\r\n" + row.settings + unlock,
                    .classes = {{"com/example/BaseMain", "method main\n  out base main ran\n  env Path\n  prop java.library.path\nend\n"}},
                    .launcher = BuildDir() + L"\\tarn64_base_test.exe"})
                .Run();
        ExpectCleanEnd(o, 0);
        ASSERT_FALSE(o.out.empty()) << o.trace.Text();
        EXPECT_EQ(o.out.front(), L"base main ran");
        EXPECT_EQ(PrintedValue(o, L"Path").rfind(L"base-path;", 0), 0u);
        // Options reach the VM in the ANSI code page, where the last character has no place.
        EXPECT_EQ(PrintedValue(o, L"java.library.path").rfind(L"C:\\Biblioth\u00e8que\\", 0), 0u);
        ASSERT_GE(o.options.size(), 4u);
        EXPECT_EQ(std::vector<std::string>(o.options.begin() + 2, o.options.end() - 2), row.parameters);
    }
}

}  // namespace
}  // namespace tarn::test
