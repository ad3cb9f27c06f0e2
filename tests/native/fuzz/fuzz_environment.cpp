// The %NAME% expander with a fake environment. Input: NAME=value lines, a NUL, then the text.
#include <map>

#include "base/EnvironmentReferences.h"
#include "launcher/SettingsStore.h"
#include "tests/native/fuzz/FuzzText.h"

void tarn::fuzz::Fuzz(const uint8_t* data, size_t size) {
    const WString input = fuzz::TextOf(data, size);
    const size_t split = input.find(L'\0');
    const WString text = split == WString::npos ? input : input.substr(split + 1);
    std::map<WString, WString> variables;
    for (const WString& line : SplitList(input.substr(0, split), L"\n")) {
        const size_t equals = line.find(L'=');
        if (equals != WString::npos) variables[line.substr(0, equals)] = line.substr(equals + 1);
    }
    size_t lookups = 0;
    const WString expanded = ExpandReferences(text, [&](const WString& name, WString& value) {
        FUZZ_CHECK(!name.empty() && name.find(L'%') == WString::npos);
        ++lookups;
        const auto found = variables.find(name);
        if (found == variables.end()) return false;
        value = found->second;
        return true;
    });
    size_t percents = 0;
    for (wchar_t ch : text) percents += ch == L'%';
    FUZZ_CHECK(lookups <= percents / 2);
    if (lookups == 0) FUZZ_CHECK(expanded == text);

    // A lookup that knows no name, and one that gives every name back as its reference, change nothing.
    FUZZ_CHECK(ExpandReferences(text, [](const WString&, WString&) { return false; }) == text);
    FUZZ_CHECK(ExpandReferences(text, [](const WString& name, WString& value) {
                   value = L"%" + name + L"%";
                   return true;
               }) == text);
}
