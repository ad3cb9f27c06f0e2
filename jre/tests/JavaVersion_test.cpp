// Version texts: parsing, printing, comparing and matching preferences. The requirement text for each
// kind of bounds is read from the real launcher (JreNotFound_test, Console_test, ExitCodes_test).
#include <gtest/gtest.h>

#include "jre/JavaVersion.h"

namespace tarn {
namespace {

using Parts = std::array<int32_t, 4>;

TEST(JavaVersion, ParsesDigitGroupsWithAnySeparator) {
    struct Case {
        WString text;
        int32_t fill;
        bool ok;
        Parts parts;
        int32_t count;
    } cases[] = {
        {L"1.8", 0, true, {1, 8, 0, 0}, 2},
        {L"1.8", 65535, true, {1, 8, 65535, 65535}, 2},
        {L"1.8.0-45", 0, true, {1, 8, 0, 45}, 4},
        {L"jdk1.8.0 45", 0, true, {1, 8, 0, 45}, 4},
        {L"11.0.2+9", 0, true, {11, 0, 2, 9}, 4},
        {L"1.8.0_144-b01", 0, true, {1, 8, 0, 144}, 5},
        {L"-3", 0, true, {3, 0, 0, 0}, 1},  // a minus sign separates, it is never a sign
        {L"2147483647", 0, true, {2147483647, 0, 0, 0}, 1},
        // Refused, and the version cleared: too large, empty, or no digits.
        {L"2147483648", 0, false, {}, 0}, {L"1.99999999999", 0, false, {}, 0}, {L"", 0, false, {}, 0},
        {L"any", 65535, false, {}, 0}, {L"Any", 0, false, {}, 0},
    };
    for (const auto& c : cases) {
        JavaVersion version;
        version.parts = {9, 9, 9, 9};
        EXPECT_EQ(ParseVersion(c.text, c.fill, version), c.ok) << std::string(c.text.begin(), c.text.end());
        EXPECT_EQ(version.parts, c.parts) << std::string(c.text.begin(), c.text.end());
        EXPECT_EQ(version.partCount, c.count) << std::string(c.text.begin(), c.text.end());
    }
}

TEST(JavaVersion, FormatsAtLeastTwoPartsAndDropsOpenFillers) {
    const std::pair<Parts, WString> cases[] = {
        {{1, 8, 0, 0}, L"1.8"},       {{11, 0, 2, 0}, L"11.0.2"},  {{1, 0, 0, 0}, L"1.0"},
        {{1, 8, 0, 45}, L"1.8.0.45"}, {{9, 0, 0, 0}, L"9.0"},      {{0, 0, 0, 0}, L"0.0.0.0"},
        {{65535, 65535, 65535, 65535}, L"0.0.0.0"},                {{1, 8, 65535, 65535}, L"1.8"},
        // Found by fuzzing: a filler value followed by other parts was dropped or shown as 0.
        {{1, 65535, 0, 0}, L"1.65535"}, {{1, 8, 65535, 0}, L"1.8.65535"}, {{65535, 0, 0, 0}, L"65535.0"},
    };
    for (const auto& [parts, text] : cases) EXPECT_EQ(FormatVersion(JavaVersion{parts, 4}), text);
}

// Bounds and preferred entries as settings give them are rows of Discovery_test and CandidateOrder_test.
TEST(JavaVersion, ComparesPartByPartAndMatchesPreferredEntriesByTheirSignificantParts) {
    const JavaVersion v19{{1, 9, 0, 0}, 2}, v110{{1, 10, 0, 0}, 2}, v180_45{{1, 8, 0, 45}, 4};
    EXPECT_LT(CompareVersions(v19, v110), 0);  // not as text: 1.10 is newer than 1.9
    EXPECT_GT(CompareVersions(v110, v180_45), 0);
    EXPECT_EQ(CompareVersions(v19, JavaVersion{{1, 9, 0, 0}, 4}), 0);  // partCount never decides
    EXPECT_TRUE(VersionInRange(v19, v19, v19));
    EXPECT_FALSE(VersionInRange(v110, ParseVersionOr(L"1.6", 0), ParseVersionOr(L"1.9", 65535)));
    EXPECT_TRUE(MatchesPreferred(v180_45, ParseVersionOr(L"1.0", 0)));  // a trailing zero is not significant
    EXPECT_FALSE(MatchesPreferred(v180_45, ParseVersionOr(L"1.8.0.44", 0)));
}

}  // namespace
}  // namespace tarn
