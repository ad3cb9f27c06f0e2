// The parts of an output file name around its date and time pattern. Windows-free.
#pragma once
#include <optional>

#include "base/Text.h"

namespace tarn {

// "leading%pattern%trailing": the pattern runs from the first "%" to the last, so a name with
// several "%" holds one pattern. A single "%" gives an empty pattern.
struct PatternParts {
    WString leading;
    WString pattern;
    WString trailing;
};

// Nothing when the name has no "%".
std::optional<PatternParts> SplitDateTimePattern(const WString& name);

// Every capital L of the pattern becomes the milliseconds in decimal, without leading zeros.
WString ReplaceMilliseconds(const WString& pattern, unsigned milliseconds);

}  // namespace tarn
