// The runtime a user's start settles on, seen through the real launcher. A paired product that
// records its command line and exits with a known code shows which source won: the sources whose
// library is checked for its architecture hand an image of the other machine over to it, the
// others do not.
#include <gtest/gtest.h>
#include <windows.h>

#include "base/Environment.h"
#include "jre/tests/Fixtures.h"
#include "tests/kit/AppFolder.h"
#include "tests/kit/RecordingPair.h"
#include "tests/kit/TempFolder.h"
#include "tests/kit/TextFiles.h"

namespace tarn {
namespace {

using namespace test;

const WString kProductName = L"Discovery Test";
const WString kProductCode = L"{5A1E0D4C-TARN-JRE}";
const WString kArguments = L"-nosplash \"two words\"";
const int kPairedExitCode = 7;

class DiscoveryEndToEnd : public testing::Test {
protected:
    void SetUp() override { CleanRuntimeRegistry(); }
    void TearDown() override {
        CleanRuntimeRegistry();
        RemoveTree(GetEnvironment(L"APPDATA") + L"\\" + kProductName);
    }

    void WriteSettings(const WString& jrePath) {
        app.WriteIni(L"[Product Information]\r\nProduct Name=" + kProductName + L"\r\nProduct Code=" + kProductCode +
                     L"\r\n[Java Runtime Environment]\r\nMain Class=app.Main\r\nJRE Path=" + jrePath +
                     L"\r\n[Application]\r\nPair Product=" + pair.ExePath() + L"\r\nPair Return Code=Yes\r\n");
    }
    void RememberForUser(const WString& jrePath) {
        const WString file =
            GetEnvironment(L"APPDATA") + L"\\" + kProductName + L"\\" + kProductCode + L"\\App.ini";
        WriteUtf16File(file, L"[Java Runtime Environment]\r\nJRE Path=" + jrePath + L"\r\n");
    }
    RunResult Start(const WString& javaHome = L"") {
        RunOptions options;
        options.timeoutMs = 30000;
        options.environment = pair.Environment();
        options.environment.emplace_back(L"JAVA_HOME", javaHome);
        return app.Run(kArguments, options);
    }
    // The paired product ran (once more) with the launcher's whole command line, and its code came back.
    void ExpectHandedOver(const RunResult& result, size_t starts) {
        ASSERT_TRUE(result.finished);
        EXPECT_EQ(result.ExitCode(), kPairedExitCode);
        EXPECT_TRUE(result.dialogs.empty()) << ToUtf8(result.DialogTexts().empty() ? L"" : result.DialogTexts()[0]);
        EXPECT_EQ(pair.Starts(), WStringList(starts, L"\"" + app.ExePath() + L"\" " + kArguments));
    }
    // The one message a start shows when the chosen library is not loadable names that library.
    static void ExpectLoadFailureOf(const RunResult& result, const WString& library) {
        const WStringList texts = result.DialogTexts();
        ASSERT_EQ(texts.size(), 1u) << (texts.empty() ? std::string("no dialog") : ToUtf8(texts[0]));
        EXPECT_EQ(texts[0].rfind(L"Failed to load Java VM library: " + library + L" (errno = ", 0), 0u)
            << ToUtf8(texts[0]);
    }

    TempFolder runtimes{L"rt"};
    AppFolder app{L"App.exe"};
    RecordingPair pair{runtimes.Path() + L"\\App32.exe", kPairedExitCode};
};

TEST_F(DiscoveryEndToEnd, JrePathRememberedForTheUserWinsOverSettingsAndRegistry) {
    const WString remembered = LayOut(runtimes.Path() + L"\\remembered", {{L"client"}, true, Image::Other});
    const WString configured = LayOut(runtimes.Path() + L"\\configured");
    RegisterRuntime(OwnViewFlag(), kRuntimeKey, L"1.8", LayOut(runtimes.Path() + L"\\registered"));
    WriteSettings(configured);
    RememberForUser(remembered);
    ExpectHandedOver(Start(), 1);
}

TEST_F(DiscoveryEndToEnd, SecondRegistryPassAndJavaHomeHandOverToThePairedProduct) {
    WriteSettings(L"");
    RegisterRuntime(OtherViewFlag(), kRuntimeKey, L"1.8",
                    LayOut(runtimes.Path() + L"\\other", {{L"client"}, true, Image::Other}));
    ExpectHandedOver(Start(), 1);

    CleanRuntimeRegistry();
    const WString javaHome = LayOut(runtimes.Path() + L"\\env", {{L"server"}, true, Image::Other});
    ExpectHandedOver(Start(javaHome), 2);
}

TEST_F(DiscoveryEndToEnd, RuntimeShippedBesideTheProgramComesBeforeRegistryAndJavaHome) {
    // Shipped runtimes are taken without an architecture check, so this one is not handed over,
    // although the registry and JAVA_HOME hold runtimes that would be.
    const WString shipped = LayOut(app.Path() + L"\\jre", {{L"client"}, true, Image::Other});
    RegisterRuntime(OtherViewFlag(), kRuntimeKey, L"1.8",
                    LayOut(runtimes.Path() + L"\\other", {{L"client"}, true, Image::Other}));
    WriteSettings(L"");
    const RunResult result = Start(LayOut(runtimes.Path() + L"\\env", {{L"client"}, true, Image::Other}));
    ASSERT_TRUE(result.finished);
    EXPECT_EQ(result.ExitCode(), -1);
    ExpectLoadFailureOf(result, shipped + L"bin\\client\\jvm.dll");
    EXPECT_TRUE(pair.Starts().empty());
}

}  // namespace
}  // namespace tarn
