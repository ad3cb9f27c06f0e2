#include "base/Text.h"

#include <algorithm>

namespace tarn {

int ReverseFind(const WString& text, wchar_t ch) {
    const auto at = text.rfind(ch);
    return at == WString::npos ? -1 : static_cast<int>(at);
}

int ReplaceAll(WString& text, wchar_t from, wchar_t to) {
    int replaced = 0;
    for (auto& unit : text) {
        if (unit == from) {
            unit = to;
            ++replaced;
        }
    }
    return replaced;
}

int FindInList(const WStringList& list, const WString& value) {
    const auto at = std::find(list.begin(), list.end(), value);
    return at == list.end() ? -1 : static_cast<int>(at - list.begin());
}

static wchar_t LowerAscii(wchar_t ch) { return (ch >= L'A' && ch <= L'Z') ? ch + (L'a' - L'A') : ch; }

bool EqualsNoCase(const WString& a, const WString& b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](wchar_t x, wchar_t y) { return LowerAscii(x) == LowerAscii(y); });
}

bool StartsWith(const WString& text, const WString& prefix) { return text.compare(0, prefix.size(), prefix) == 0; }

WString WindowsLines(const WString& text) {
    WString lines;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == L'\n' && (i == 0 || text[i - 1] != L'\r')) lines += L'\r';
        lines += text[i];
    }
    while (!lines.empty() && (lines.back() == L'\n' || lines.back() == L'\r')) lines.pop_back();
    return lines;
}

}  // namespace tarn
