// ParseVersion, FormatVersion and CompareVersions: a version shown to the user and read again keeps
// its value and its place in the order.
#include "jre/JavaVersion.h"
#include "tests/native/fuzz/FuzzText.h"

namespace tarn {
namespace {

int Sign(int value) { return (value > 0) - (value < 0); }

JavaVersion Reread(const JavaVersion& version, int32_t fill) {
    JavaVersion again;
    FUZZ_CHECK(ParseVersion(FormatVersion(version), fill, again));
    return again;
}

void CheckRoundTrip(const JavaVersion& version, int32_t fill) {
    if (IsOpenBound(version)) {
        FUZZ_CHECK(FormatVersion(version) == L"0.0.0.0");
        return;
    }
    // A trailing run of 0 or of 65535 is not shown, as either may be the filler: a version reads
    // back exactly with its own fill unless it ends in the other filler. The one exception is an
    // upper bound of a single digit group, shown with ".0" (11 as 11.0).
    const int32_t otherFill = fill == 0 ? kOpenUpperPart : 0;
    const bool singleGroupBound = fill == kOpenUpperPart && version.parts[1] == fill && version.parts[2] == fill &&
                                  version.parts[3] == fill;
    if (version.parts[3] != otherFill && !singleGroupBound) FUZZ_CHECK(Reread(version, fill).parts == version.parts);
}

}  // namespace
}  // namespace tarn

void tarn::fuzz::Fuzz(const uint8_t* data, size_t size) {
    const WString text = fuzz::TextOf(data, size);
    const size_t newline = text.find(L'\n');
    const WString first = text.substr(0, newline);
    const WString second = newline == WString::npos ? WString() : text.substr(newline + 1);
    for (const int32_t fill : {0, kOpenUpperPart}) {
        JavaVersion a, b;
        const bool parsedA = ParseVersion(first, fill, a);
        const bool parsedB = ParseVersion(second, fill, b);
        if (!parsedA) FUZZ_CHECK(a.parts == JavaVersion{}.parts && a.partCount == 0);
        for (int32_t part : a.parts) FUZZ_CHECK(part >= 0);
        if (parsedA) CheckRoundTrip(a, fill);
        FUZZ_CHECK(Sign(CompareVersions(a, b)) == -Sign(CompareVersions(b, a)));
        FUZZ_CHECK(MatchesPreferred(a, a) && VersionInRange(a, a, a));
        // Minimum bounds, registry names and preferred entries all use fill 0: their order survives.
        if (parsedA && parsedB && fill == 0 && a.parts[3] != kOpenUpperPart && b.parts[3] != kOpenUpperPart &&
            !IsOpenBound(a) && !IsOpenBound(b)) {
            FUZZ_CHECK(Sign(CompareVersions(Reread(a, 0), Reread(b, 0))) == Sign(CompareVersions(a, b)));
        }
        (void)DescribeVersionRange(a, b);
    }
}
