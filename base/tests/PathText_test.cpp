// Path text rules: component stripping, splitting into folders, the long-path prefixes.
#include <gtest/gtest.h>

#include "base/PathText.h"

namespace tarn {
namespace {

TEST(PathText, StripPathComponentsCutsAtBackslashes) {
    const WString jvm = L"C:\\jre\\bin\\server\\jvm.dll";
    EXPECT_EQ(StripPathComponents(jvm, 2), L"C:\\jre\\bin");
    EXPECT_EQ(StripPathComponents(jvm, 3), L"C:\\jre");
    EXPECT_EQ(StripPathComponents(jvm, 5), L"C:");
    EXPECT_EQ(StripPathComponents(L"jvm.dll", 1), L"jvm.dll");
    EXPECT_EQ(StripPathComponents(L"C:\\jre\\", 1), L"C:\\jre");
}

TEST(PathText, SplitFolderPathGivesRootThenComponents) {
    struct Case {
        WString path;
        WStringList parts;
    } cases[] = {
        {L"C:\\a\\b", {L"C:", L"a", L"b"}},
        {L"\\\\server\\share\\d", {L"\\\\server", L"share", L"d"}},
        {L"\\\\?\\C:\\a\\b", {L"\\\\?\\C:", L"a", L"b"}},
        {L"\\\\?\\UNC\\server\\share\\f", {L"\\\\?\\UNC\\server", L"share", L"f"}},
        {L"C:\\a\\\\b\\", {L"C:", L"a", L"", L"b"}},  // an empty component stays, a trailing backslash adds none
        {L"logs", {L"logs"}},
        {L"", {}},
    };
    for (const auto& c : cases) EXPECT_EQ(SplitFolderPath(c.path), c.parts) << std::string(c.path.begin(), c.path.end());
}

TEST(PathText, LongPatternsGetThePrefixFromTwoHundredSixtyUnits) {
    const WString exact259 = L"C:\\" + WString(256, L'a');
    ASSERT_EQ(exact259.size(), 259u);
    EXPECT_EQ(LongPathPattern(exact259), exact259);
    EXPECT_EQ(LongPathPattern(exact259 + L"b"), L"\\\\?\\" + exact259 + L"b");
    const WString unc = L"\\\\server\\share\\" + WString(285, L'x');
    ASSERT_EQ(unc.size(), 300u);
    EXPECT_EQ(LongPathPattern(unc), L"\\\\?\\UNC\\server\\share\\" + WString(285, L'x'));
    const WString prefixed = L"\\\\?\\C:\\" + WString(300, L'a');
    EXPECT_EQ(LongPathPattern(prefixed), prefixed);
    EXPECT_EQ(LongPathPattern(WString(32767, L'a')), L"");
}

TEST(PathText, AbsoluteMeansDriveOrDoubleBackslash) {
    EXPECT_TRUE(IsAbsolutePath(L"C:\\Java"));
    EXPECT_TRUE(IsAbsolutePath(L"C:"));
    EXPECT_TRUE(IsAbsolutePath(L"\\\\server\\share"));
    EXPECT_FALSE(IsAbsolutePath(L"j"));
    EXPECT_FALSE(IsAbsolutePath(L"jre"));
    EXPECT_FALSE(IsAbsolutePath(L"\\jre"));
    EXPECT_FALSE(IsAbsolutePath(L""));
}

}  // namespace
}  // namespace tarn
