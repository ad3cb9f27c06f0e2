// The settings text parser and SplitList over any text.
#include <algorithm>

#include "launcher/SettingsStore.h"
#include "tests/native/fuzz/FuzzText.h"

namespace tarn {
namespace {

WString Join(const WStringList& pieces, const WString& separator) {
    WString text;
    for (size_t i = 0; i < pieces.size(); ++i) text += (i > 0 ? separator : WString()) + pieces[i];
    return text;
}

// SplitList loses nothing but a separator at the very end.
void CheckSplit(const WString& text, const WString& separator) {
    const WStringList pieces = SplitList(text, separator);
    const WString joined = Join(pieces, separator);
    const bool endsWithSeparator = !separator.empty() && text.size() >= separator.size() &&
                                   text.compare(text.size() - separator.size(), separator.size(), separator) == 0;
    FUZZ_CHECK(joined == text || (endsWithSeparator && joined + separator == text));
    if (separator.empty()) FUZZ_CHECK(pieces.size() == (text.empty() ? 0u : 1u));
}

bool IsBlank(wchar_t ch) { return ch == L' ' || ch == L'\t' || ch == L'\r' || ch == L'\n' || ch == L'\v' || ch == L'\f'; }

bool Trimmed(const WString& text) { return text.empty() || (!IsBlank(text.front()) && !IsBlank(text.back())); }

// Writes the store back as settings text: one section line, then its pairs.
WString Serialise(const MemorySettingsStore& store, bool checkPairs) {
    WString text;
    for (const auto& section : store.Sections()) {
        FUZZ_CHECK(section.name.find(L"\r\n") == WString::npos);
        text += L"[" + section.name + L"]\r\n";
        for (const auto& [key, value] : section.pairs) {
            if (checkPairs) {
                FUZZ_CHECK(key.find(L'=') == WString::npos && Trimmed(key) && Trimmed(value));
                FUZZ_CHECK(value.find(L"\r\n") == WString::npos);
            }
            text += key + L"=" + value + L"\r\n";
        }
    }
    return text;
}

}  // namespace
}  // namespace tarn

void tarn::fuzz::Fuzz(const uint8_t* data, size_t size) {
    const WString text = fuzz::TextOf(data, size);
    MemorySettingsStore store;
    ParseSettingsText(text, store);
    // What the parser read, written out and read again, reads the same.
    const WString once = Serialise(store, true);
    MemorySettingsStore again;
    ParseSettingsText(once, again);
    FUZZ_CHECK(Serialise(again, false) == once);

    CheckSplit(text, L";");
    CheckSplit(text, L"\r\n");
    CheckSplit(text, text.substr(0, 2));
    CheckSplit(text.substr(std::min<size_t>(2, text.size())), text.substr(0, 2));
}
