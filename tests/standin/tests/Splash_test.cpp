// The stand-in splashscreen.dll: the calls the launcher makes, in order, and calls out of order.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "base/Conversion.h"
#include "tests/kit/TextFiles.h"
#include "tests/standin/tests/StandinTesting.h"

namespace tarn::test {
namespace {

using ::testing::ElementsAre;

// A copy of splashscreen.dll of its own, so that each test starts before SplashInit.
class SplashLibrary {
public:
    explicit SplashLibrary(const WString& copy) {
        CopyTo(StandinSplashLibrary(), copy);
        module_ = LoadLibraryExW(copy.c_str(), nullptr, 0);
    }
    ~SplashLibrary() {
        if (module_ != nullptr) FreeLibrary(module_);  // so that the test's folder can be removed
    }
    SplashLibrary(const SplashLibrary&) = delete;
    SplashLibrary& operator=(const SplashLibrary&) = delete;
    void Init() const { reinterpret_cast<void (*)()>(GetProcAddress(module_, "SplashInit"))(); }
    int LoadFile(const std::string& path) const {
        return reinterpret_cast<int (*)(const char*)>(GetProcAddress(module_, "SplashLoadFile"))(path.c_str());
    }
    void SetFileJarName(const std::string& path, const std::string& jar) const {
        reinterpret_cast<void (*)(const char*, const char*)>(GetProcAddress(module_, "SplashSetFileJarName"))(
            path.c_str(), jar.c_str());
    }
    void Close() const { reinterpret_cast<void (*)()>(GetProcAddress(module_, "SplashClose"))(); }
    bool Loaded() const { return module_ != nullptr; }

private:
    HMODULE module_ = nullptr;
};

class Splash : public StandinTest {};

TEST_F(Splash, RecordsTheLaunchersCallsWithTheirArguments) {
    const std::string picture = ToNarrow(File(L"splash.png"));
    WriteBytes(File(L"splash.png"), "not really a picture");
    SplashLibrary splash(File(L"bin\\splashscreen.dll"));
    ASSERT_TRUE(splash.Loaded());
    splash.Init();
    EXPECT_EQ(splash.LoadFile(picture), 1);
    splash.SetFileJarName(picture, "");
    splash.Close();
    const Trace trace = ReadTrace();
    EXPECT_THAT(trace.Details("SplashLoadFile"), ElementsAre("\"" + picture + "\""));
    EXPECT_THAT(trace.Details("SplashSetFileJarName"), ElementsAre("\"" + picture + "\", \"\""));
    std::vector<std::string> names;
    for (const TraceLine& line : trace.Lines()) names.push_back(line.name);
    EXPECT_THAT(names, ElementsAre("SplashInit", "SplashLoadFile", "SplashSetFileJarName", "SplashClose"));
    EXPECT_TRUE(NoWarnings(trace));
}

TEST_F(Splash, WarnsAboutCallsOutOfOrder) {
    SplashLibrary splash(File(L"bin\\splashscreen.dll"));
    EXPECT_EQ(splash.LoadFile(ToNarrow(File(L"missing.png"))), 0);
    splash.Init();
    splash.Close();
    splash.Close();
    const Trace trace = ReadTrace();
    EXPECT_TRUE(trace.Has("SplashLoadFile", "missing.png\" (missing)"));
    EXPECT_THAT(trace.Warnings(),
                ElementsAre("SplashLoadFile called before SplashInit", "SplashClose called after SplashClose"));
}

}  // namespace
}  // namespace tarn::test
