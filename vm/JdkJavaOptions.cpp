#include "vm/JdkJavaOptions.h"

namespace tarn {
namespace {

bool IsSpace(wchar_t ch) { return ch == L' ' || (ch >= L'\t' && ch <= L'\r'); }

}  // namespace

bool SplitJdkJavaOptions(const WString& value, WStringList& words) {
    for (size_t at = 0;;) {
        while (at < value.size() && IsSpace(value[at])) ++at;
        if (at == value.size()) return true;
        WString word;
        while (at < value.size() && !IsSpace(value[at])) {
            const wchar_t ch = value[at++];
            if (ch != L'"' && ch != L'\'') {
                word += ch;
                continue;
            }
            const size_t close = value.find(ch, at);
            if (close == WString::npos) return false;
            word.append(value, at, close - at);
            at = close + 1;
        }
        words.push_back(word);
    }
}

// java's checkArg: a word that is no option and no option's value is the main class.
EnvironmentProblem CheckJdkJavaOptions(const OptionWords& words, uint32_t variable, size_t& at) {
    bool expectingValue = false;
    for (at = 0; at < words.size(); ++at) {
        const WString& word = words[at].text;
        const uint16_t kind = KindOf(word);
        if (kind & kTerminalOption) {
            return words[at].origin == variable ? EnvironmentProblem::TerminalOption : EnvironmentProblem::TerminalOptionInFile;
        }
        const bool option = !word.empty() && word[0] == L'-';
        if (!option && !expectingValue) return EnvironmentProblem::MainClass;
        expectingValue = option && (kind & kTakesNextWord);
    }
    return EnvironmentProblem::None;
}

}  // namespace tarn
