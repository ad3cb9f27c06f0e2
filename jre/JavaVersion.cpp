#include "jre/JavaVersion.h"

#include "base/Format.h"

namespace tarn {

static bool IsDigit(wchar_t ch) { return ch >= L'0' && ch <= L'9'; }

bool ParseVersion(const WString& text, int32_t fill, JavaVersion& version) {
    version = JavaVersion{};
    size_t at = 0;
    auto skipToDigit = [&] {
        while (at < text.size() && !IsDigit(text[at])) ++at;
        return at < text.size();
    };
    if (!skipToDigit()) return false;
    int index = 0;
    for (;;) {
        int32_t value = 0;
        for (; at < text.size() && IsDigit(text[at]); ++at) {
            const int digit = text[at] - L'0';
            if (value > (INT32_MAX - digit) / 10) {
                version = JavaVersion{};
                return false;
            }
            value = value * 10 + digit;
        }
        version.parts[index] = value;
        if (!skipToDigit()) break;
        if (++index == 4) break;
    }
    version.partCount = index + 1;
    for (int i = version.partCount; i < 4; ++i) version.parts[i] = fill;
    return true;
}

JavaVersion ParseVersionOr(const WString& text, int32_t fill) {
    JavaVersion version;
    ParseVersion(text, fill, version);
    return version;
}

WString FormatVersion(const JavaVersion& version) {
    // The trailing run of a filler (0, or the open 65535) is not shown; a filler value before
    // other parts is a real part and is shown, so that the text reads back as the same version.
    const int32_t filler = version.parts[3];
    int last = 3;
    if (filler == 0 || filler == kOpenUpperPart) {
        while (last >= 0 && version.parts[last] == filler) --last;
    }
    if (last < 0) return L"0.0.0.0";
    WString text;
    for (int i = 0; i <= (last > 1 ? last : 1); ++i) {
        if (i > 0) text += L'.';
        // The second part is always printed; an open filler there reads as 0, not 65535.
        text += DecimalText(i > last ? 0 : version.parts[i]);
    }
    return text;
}

int CompareVersions(const JavaVersion& a, const JavaVersion& b) {
    for (int i = 0; i < 4; ++i) {
        if (a.parts[i] != b.parts[i]) return a.parts[i] < b.parts[i] ? -1 : 1;
    }
    return 0;
}

bool VersionInRange(const JavaVersion& candidate, const JavaVersion& minimum, const JavaVersion& maximum) {
    return CompareVersions(minimum, candidate) <= 0 && CompareVersions(candidate, maximum) <= 0;
}

bool MatchesPreferred(const JavaVersion& candidate, const JavaVersion& entry) {
    if (candidate.parts == entry.parts) return true;
    int significant = 4;
    while (significant > 0 && entry.parts[significant - 1] == 0) --significant;
    for (int i = 0; i < significant; ++i) {
        if (candidate.parts[i] != entry.parts[i]) return false;
    }
    return true;
}

bool IsOpenBound(const JavaVersion& bound) {
    bool allZero = true, allOpen = true;
    for (int32_t part : bound.parts) {
        allZero = allZero && part == 0;
        allOpen = allOpen && part == kOpenUpperPart;
    }
    return allZero || allOpen;
}

JavaVersion AnyMinimum() { return JavaVersion{{0, 0, 0, 0}, 4}; }
JavaVersion AnyMaximum() { return JavaVersion{{kOpenUpperPart, kOpenUpperPart, kOpenUpperPart, kOpenUpperPart}, 4}; }

RangeDescription ChooseRangeText(const JavaVersion& minimum, const JavaVersion& maximum) {
    const bool minOpen = IsOpenBound(minimum), maxOpen = IsOpenBound(maximum);
    if (minOpen && maxOpen) return {217, {}};
    if (minOpen) return {218, {FormatVersion(maximum)}};
    if (maxOpen) return {219, {FormatVersion(minimum)}};
    if (minimum.parts == maximum.parts) return {220, {FormatVersion(minimum)}};
    return {221, {FormatVersion(minimum), FormatVersion(maximum)}};
}

}  // namespace tarn
