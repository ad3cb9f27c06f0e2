#include "vm/DateTimePattern.h"

#include "base/Format.h"

namespace tarn {

std::optional<PatternParts> SplitDateTimePattern(const WString& name) {
    const size_t first = name.find(L'%');
    if (first == WString::npos) return std::nullopt;
    const size_t last = name.rfind(L'%');
    PatternParts parts;
    parts.leading = name.substr(0, first);
    if (last > first) parts.pattern = name.substr(first + 1, last - first - 1);
    parts.trailing = name.substr(last + 1);
    return parts;
}

WString ReplaceMilliseconds(const WString& pattern, unsigned milliseconds) {
    const WString digits = DecimalText(milliseconds);
    WString result;
    result.reserve(pattern.size());
    for (wchar_t ch : pattern) {
        if (ch == L'L')
            result += digits;
        else
            result += ch;
    }
    return result;
}

}  // namespace tarn
