// Where the splash window goes and which runtime library shows the picture instead.
#include <gtest/gtest.h>

#include "splash/SplashRules.h"

namespace tarn {
namespace {

TEST(CentreOnScreen, HalvesTheOverhangTruncatingTowardZero) {
    struct Row {
        int screenWidth, screenHeight, width, height, left, top;
    };
    const Row rows[] = {
        {1920, 1080, 400, 300, 760, 390},
        {1280, 1024, 33, 21, 623, 501},     // 623.5 and 501.5
        {1280, 1024, 1301, 1031, -10, -3},  // -10.5 and -3.5: toward zero, not down
        {1280, 1024, 0, 0, 640, 512},       // an unreadable picture
    };
    for (const Row& row : rows) {
        const SplashOrigin origin = CentreOnScreen(row.screenWidth, row.screenHeight, row.width, row.height);
        EXPECT_EQ(origin.left, row.left) << row.width << "x" << row.height;
        EXPECT_EQ(origin.top, row.top) << row.width << "x" << row.height;
    }
}

TEST(SplashLibraryCandidate, IsBinSplashscreenForEveryVmFolder) {
    const std::pair<WString, WString> rows[] = {
        {L"C:\\jre\\bin\\client\\jvm.dll", L"C:\\jre\\bin\\splashscreen.dll"},
        {L"C:\\jre\\bin\\server\\jvm.dll", L"C:\\jre\\bin\\splashscreen.dll"},
        {L"C:/jre/bin/\\server\\jvm.dll", L"C:/jre/bin/splashscreen.dll"},
        {L"\\\\host\\jre\\bin\\client\\jvm.dll", L"\\\\host\\jre\\bin\\splashscreen.dll"},
        {L"\\client\\jvm.dll", L""},
        {L"", L""},
    };
    for (const auto& [jvmPath, expected] : rows) {
        EXPECT_EQ(SplashLibraryCandidate(jvmPath), expected) << std::string(jvmPath.begin(), jvmPath.end());
    }
}

}  // namespace
}  // namespace tarn
