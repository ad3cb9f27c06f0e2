#include "base/Format.h"

namespace tarn {

WString DecimalText(long long number) {
    wchar_t digits[24];
    wchar_t* start = digits + 24;
    // Work with the negative value: it also holds the most negative number.
    long long rest = number < 0 ? number : -number;
    do {
        *--start = static_cast<wchar_t>(L'0' - rest % 10);
        rest /= 10;
    } while (rest != 0);
    if (number < 0) *--start = L'-';
    return WString(start, digits + 24);
}

static WString ArgText(const FormatArg* arg, wchar_t conversion) {
    if (arg == nullptr) return {};
    if (conversion == L's') {
        if (const auto* text = std::get_if<WString>(arg)) return *text;
        return DecimalText(std::get<long long>(*arg));
    }
    if (const auto* number = std::get_if<long long>(arg)) return DecimalText(*number);
    return {};
}

WString Format(const WString& format, std::initializer_list<FormatArg> args) {
    WString result;
    auto next = args.begin();
    for (size_t i = 0; i < format.size(); ++i) {
        const wchar_t ch = format[i];
        if (ch != L'%' || i + 1 == format.size()) {
            result += ch;
            continue;
        }
        const wchar_t conversion = format[++i];
        if (conversion == L's' || conversion == L'd') {
            result += ArgText(next != args.end() ? &*next : nullptr, conversion);
            if (next != args.end()) ++next;
        } else if (conversion == L'%') {
            result += L'%';
        } else {
            result += L'%';
            result += conversion;
        }
    }
    return result;
}

}  // namespace tarn
