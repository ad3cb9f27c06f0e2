// Java version numbers: up to four numeric parts, compared part by part.
// Windows-free: parsing, comparison and matching are pure functions.
#pragma once
#include <array>
#include <cstdint>

#include "base/Text.h"

namespace tarn {

struct JavaVersion {
    std::array<int32_t, 4> parts{};
    int32_t partCount = 0;  // digit groups in the parsed text: 0 to 4, or 5 when there were more
};

constexpr int32_t kOpenUpperPart = 65535;

// Any run of non-digits separates parts; parts the text lacks take the fill value.
bool ParseVersion(const WString& text, int32_t fill, JavaVersion& version);
JavaVersion ParseVersionOr(const WString& text, int32_t fill);  // the parsed value, all zero on failure
WString FormatVersion(const JavaVersion& version);
int CompareVersions(const JavaVersion& a, const JavaVersion& b);
bool VersionInRange(const JavaVersion& candidate, const JavaVersion& minimum, const JavaVersion& maximum);
bool MatchesPreferred(const JavaVersion& candidate, const JavaVersion& entry);
// A bound whose parts are all 0, or all 65535, stands for no bound at all.
bool IsOpenBound(const JavaVersion& bound);
JavaVersion AnyMinimum();
JavaVersion AnyMaximum();

// Which requirement text describes a range, and what fills its %s places.
struct RangeDescription {
    unsigned textId;
    WStringList arguments;
};
RangeDescription ChooseRangeText(const JavaVersion& minimum, const JavaVersion& maximum);
// The requirement text for the user, from the string table.
WString DescribeVersionRange(const JavaVersion& minimum, const JavaVersion& maximum);

}  // namespace tarn
