#include "base/Format.h"

namespace tarn {

static WString ArgText(const FormatArg* arg, wchar_t conversion) {
    if (arg == nullptr) return {};
    if (conversion == L's') {
        if (const auto* text = std::get_if<WString>(arg)) return *text;
        return std::to_wstring(std::get<long long>(*arg));
    }
    if (const auto* number = std::get_if<long long>(arg)) return std::to_wstring(*number);
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
