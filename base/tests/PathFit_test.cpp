// Paths for 8-bit options: the existing prefix of a path, and its short form when the name does not fit.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>

#include "base/PathFit.h"

namespace tarn {
namespace {

// A file system by hand: these names exist, these short forms are given, and ASCII is the code page.
const std::set<WString> kExisting = {L"\\", L"C:\\", L"C:\\\u65E5\u672C app", L"C:\\\u65E5\u672C app\\lib",
                                     L"C:\\\u65E5\u672C app\\lib\\a.jar", L"C:\\\u03A9", L"\\\\srv\\s"};
const std::map<WString, WString> kShortForms = {{L"C:\\", L"C:\\"}, {L"C:\\\u65E5\u672C app", L"C:\\JP~1"},
                                                {L"C:\\\u65E5\u672C app\\lib\\a.jar", L"C:\\JP~1\\lib\\a.jar"}};
const PathQueries kQueries = {
    [](const WString& text) { return std::all_of(text.begin(), text.end(), [](wchar_t c) { return c < 0x80; }); },
    [](const WString& path) { return kExisting.count(path) > 0; },
    [](const WString& path) { return kShortForms.count(path) ? kShortForms.at(path) : WString(); }};

TEST(PathFit, SplitAtExistingFindsTheLongestExistingPrefix) {
    struct Case {
        WString path, existing, rest;
    } cases[] = {
        {L"C:\\\u65E5\u672C app\\lib\\new\\x.log", L"C:\\\u65E5\u672C app\\lib", L"new\\x.log"},
        {L"C:\\\u65E5\u672C app/out/x", L"C:\\\u65E5\u672C app", L"out/x"},
        {L"C:\\nothing\\x", L"C:\\", L"nothing\\x"},  // the root with its backslash, never "C:"
        {L"\\\\srv\\s\\x", L"\\\\srv\\s", L"x"},
        {L"\\\\srv2\\x", L"", L"\\\\srv2\\x"},  // the separators that open a UNC path are no root
        {L"relative\\x", L"", L"relative\\x"},
        {L"\\rooted\\x", L"\\", L"rooted\\x"},
    };
    for (const Case& c : cases) {
        const PathSplit split = SplitAtExisting(c.path, kQueries.exists);
        EXPECT_EQ(split.existing, c.existing);
        EXPECT_EQ(split.rest, c.rest);
    }
}

TEST(PathFit, APathThatDoesNotFitTakesTheShortFormOfItsExistingPrefix) {
    struct Case {
        WString path, expected;
    } cases[] = {
        {L"C:\\plain\\a.jar", L"C:\\plain\\a.jar"},  // fits: as written, existing or not
        {L"C:\\\u65E5\u672C app\\lib\\a.jar", L"C:\\JP~1\\lib\\a.jar"},
        {L"C:\\\u65E5\u672C app\\out\\new.log", L"C:\\JP~1\\out\\new.log"},
        {L"C:\\\u65E5\u672C app\\\u65B0\\x", L""},  // the missing rest does not fit
        {L"C:\\\u65E5\u672C app\\lib\\b.jar", L""},  // lib has no short form
        {L"C:\\\u03A9\\a", L""},                      // no short form at all
        {L"\u03A9\\rel", L""},                         // nothing of it exists
    };
    for (const Case& c : cases) EXPECT_EQ(RepresentablePath(c.path, kQueries), c.expected);
}

TEST(PathFit, EveryPieceOfAListIsMadeToFitOrTheFirstFailureIsNamed) {
    WString result, failed;
    EXPECT_TRUE(RepresentablePathList(L"C:\\ok;;C:\\\u65E5\u672C app\\lib\\a.jar;", kQueries, result, failed));
    EXPECT_EQ(result, L"C:\\ok;;C:\\JP~1\\lib\\a.jar;");
    EXPECT_FALSE(RepresentablePathList(L"C:\\ok;C:\\\u03A9\\a;C:\\\u03A9\\b", kQueries, result, failed));
    EXPECT_EQ(failed, L"C:\\\u03A9\\a");
}

}  // namespace
}  // namespace tarn
