// Path text rules: component stripping, splitting into folders, the long-path prefixes, and the
// form of a path that fits an 8-bit option.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "base/PathFit.h"
#include "base/PathText.h"

namespace tarn {
namespace {

TEST(PathText, StripPathComponentsAndPartsCutAtEitherSeparator) {
    const WString jvm = L"C:\\jre\\bin\\server\\jvm.dll";
    EXPECT_EQ(StripPathComponents(jvm, 5), L"C:");
    EXPECT_EQ(StripPathComponents(L"jvm.dll", 1), L"jvm.dll");
    EXPECT_EQ(StripPathComponents(L"C:\\jre\\", 1), L"C:\\jre");
    EXPECT_EQ(StripPathComponents(L"C:/jre/bin\\server/jvm.dll", 3), L"C:/jre");  // Windows takes '/' too
    EXPECT_EQ(FileNameOf(L"C:\\Apps/Start.exe"), L"Start.exe");
    EXPECT_EQ(WithTrailingBackslash(L"C:/jre/"), L"C:/jre/");
}

TEST(PathText, SplitFolderPathGivesRootThenComponents) {
    struct Case {
        WString path;
        WStringList parts;
    } cases[] = {
        {L"\\\\server\\share\\d", {L"\\\\server", L"share", L"d"}},
        {L"\\\\?\\C:\\a\\b", {L"\\\\?\\C:", L"a", L"b"}},
        {L"\\\\?\\UNC\\server\\share\\f", {L"\\\\?\\UNC\\server", L"share", L"f"}},
        {L"C:\\a\\\\b\\", {L"C:", L"a", L"", L"b"}},  // an empty component stays, a trailing backslash adds none
        {L"C:/a\\b/c", {L"C:", L"a", L"b", L"c"}},
        {L"//server/share\\d", {L"//server", L"share", L"d"}},
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

TEST(PathText, AbsoluteMeansDriveOrTwoSeparators) {
    for (const wchar_t* p : {L"C:\\Java", L"C:", L"\\\\server\\share", L"//server/share"}) EXPECT_TRUE(IsAbsolutePath(p)) << p;
    for (const wchar_t* p : {L"/jre", L"j", L"\\jre", L""}) EXPECT_FALSE(IsAbsolutePath(p)) << p;
}

// Paths for 8-bit options: the short form of the existing prefix when a name does not fit.
// By hand: these names exist, with these short forms ("" for none), and ASCII is the code page.
const std::map<WString, WString> kFiles = {
    {L"\\", L""}, {L"C:\\", L"C:\\"}, {L"C:\\\u65E5", L"C:\\JP~1"}, {L"\\\\srv\\s", L""}};
const PathQueries kQueries = {
    [](const WString& text) { return std::all_of(text.begin(), text.end(), [](wchar_t c) { return c < 0x80; }); },
    [](const WString& path) { return kFiles.count(path) > 0; },
    [](const WString& path) { return kFiles.count(path) ? kFiles.at(path) : WString(); }};

TEST(PathFit, SplitAtExistingStopsAtRootsAndNeverCutsIntoThem) {
    const WString cases[][2] = {  // path, existing|rest: a root keeps its separator; "\\" opening a UNC path is none
        {L"C:\\no\\x", L"C:\\|no\\x"}, {L"\\\\srv\\s\\x", L"\\\\srv\\s|x"}, {L"\\\\srv2\\x", L"|\\\\srv2\\x"},
        {L"\\rooted\\x", L"\\|rooted\\x"}, {L"relative\\x", L"|relative\\x"}};
    for (const auto& c : cases) {
        const PathSplit split = SplitAtExisting(c[0], kQueries.exists);
        EXPECT_EQ(split.existing + L"|" + split.rest, c[1]);
    }
}

// Through the real launcher (FolderNames_test): a name that fits, the short form of an existing
// folder, a missing rest after it, and a folder without a short form.
TEST(PathFit, ANameThatDoesNotFitTakesTheShortFormOfItsExistingPrefix) {
    const WString cases[][2] = {  // path, what the option gets ("": no form fits)
        {L"C:\\\u65E5/out\\new.log", L"C:\\JP~1\\out\\new.log"},  // a '/' in the missing rest
        {L"C:\\\u65E5\\\u65B0\\x", L""},                           // the missing rest does not fit
        {L"\u03A9\\rel", L""}};                                     // nothing of it exists
    for (const auto& c : cases) EXPECT_EQ(RepresentablePath(c[0], kQueries), c[1]);
}

}  // namespace
}  // namespace tarn
