// Which runtime library shows the picture instead of the launcher's window.
#include <gtest/gtest.h>

#include "splash/SplashRules.h"

namespace tarn {
namespace {

TEST(SplashLibraryCandidate, IsBinSplashscreenForEveryVmFolder) {
    const std::pair<WString, WString> rows[] = {
        {L"C:\\jre\\bin\\client\\jvm.dll", L"C:\\jre\\bin\\splashscreen.dll"},
        {L"C:\\jre\\bin\\server\\jvm.dll", L"C:\\jre\\bin\\splashscreen.dll"},
        {L"C:/jre/bin/\\server\\jvm.dll", L"C:/jre/bin/splashscreen.dll"},
        {L"\\client\\jvm.dll", L""},
    };
    for (const auto& [jvmPath, expected] : rows) {
        EXPECT_EQ(SplashLibraryCandidate(jvmPath), expected) << std::string(jvmPath.begin(), jvmPath.end());
    }
}

}  // namespace
}  // namespace tarn
