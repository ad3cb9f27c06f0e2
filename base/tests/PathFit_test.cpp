// Paths for 8-bit options: the short form of the existing prefix when a name does not fit.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "base/PathFit.h"

namespace tarn {
namespace {

// By hand: these names exist, with these short forms ("" for none), and ASCII is the code page.
const std::map<WString, WString> kFiles = {
    {L"\\", L""}, {L"C:\\", L"C:\\"}, {L"C:\\\u65E5", L"C:\\JP~1"}, {L"C:\\\u65E5\\lib", L""}, {L"\\\\srv\\s", L""}};
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

TEST(PathFit, ANameThatDoesNotFitTakesTheShortFormOfItsExistingPrefix) {
    const WString cases[][2] = {  // path, what the option gets ("": no form fits)
        {L"C:\\plain\\a.jar", L"C:\\plain\\a.jar"},  // fits: as written, existing or not
        {L"C:\\\u65E5", L"C:\\JP~1"},
        {L"C:\\\u65E5/out\\new.log", L"C:\\JP~1\\out\\new.log"},  // the missing rest after the short prefix
        {L"C:\\\u65E5\\\u65B0\\x", L""},                           // the missing rest does not fit
        {L"C:\\\u65E5\\lib\\a.jar", L""},                          // lib has no short form
        {L"\u03A9\\rel", L""}};                                     // nothing of it exists
    for (const auto& c : cases) EXPECT_EQ(RepresentablePath(c[0], kQueries), c[1]);
}

}  // namespace
}  // namespace tarn
