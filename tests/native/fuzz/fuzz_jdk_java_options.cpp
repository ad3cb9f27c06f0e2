// JDK_JAVA_OPTIONS: its words written back in quotes split the same; java's checks point at a
// word that breaks its rule.
#include "tests/native/fuzz/FuzzText.h"
#include "vm/JdkJavaOptions.h"

void tarn::fuzz::Fuzz(const uint8_t* data, size_t size) {
    WStringList words;
    if (!SplitJdkJavaOptions(fuzz::TextOf(data, size), words)) return;
    WString value;
    bool quotable = true;
    for (const WString& word : words) {
        const wchar_t quote = word.find(L'"') == WString::npos ? L'"' : L'\'';
        quotable = quotable && word.find(quote) == WString::npos;
        value += L" " + WString(1, quote) + word + WString(1, quote);
    }
    WStringList again;
    if (quotable) FUZZ_CHECK(SplitJdkJavaOptions(value, again) && again == words);

    OptionWords checked;
    for (const WString& word : words) checked.push_back({word, {}, static_cast<uint32_t>(checked.size() % 2)});
    size_t at = 0;
    switch (CheckJdkJavaOptions(checked, 0, at)) {
        case EnvironmentProblem::None: FUZZ_CHECK(at == checked.size()); break;
        case EnvironmentProblem::TerminalOption: FUZZ_CHECK(at % 2 == 0 && (KindOf(words[at]) & kTerminalOption)); break;
        case EnvironmentProblem::TerminalOptionInFile: FUZZ_CHECK(at % 2 == 1 && (KindOf(words[at]) & kTerminalOption)); break;
        case EnvironmentProblem::MainClass: FUZZ_CHECK(words[at].empty() || words[at][0] != L'-'); break;
    }
}
