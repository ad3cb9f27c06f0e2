#include "vm/CommandLineQuoting.h"

namespace tarn {

WString QuotedArgument(const WString& word) {
    if (!word.empty() && word.find_first_of(L" \t\n\v\"&|<>^()") == WString::npos) return word;
    WString quoted = L"\"";
    for (size_t at = 0;; ++at) {
        size_t backslashes = 0;
        for (; at < word.size() && word[at] == L'\\'; ++at) ++backslashes;
        // Before the closing quote, and before a quote of the word, each backslash is written twice.
        if (at == word.size()) {
            quoted.append(backslashes * 2, L'\\');
            break;
        }
        if (word[at] == L'"') {
            quoted.append(backslashes * 2 + 1, L'\\');
        } else {
            quoted.append(backslashes, L'\\');
        }
        quoted += word[at];
    }
    return quoted + L"\"";
}

WString CommandLineOf(const WString& program, const WStringList& words) {
    WString line = L"\"" + program + L"\"";
    for (const WString& word : words) line += L" " + QuotedArgument(word);
    return line;
}

}  // namespace tarn
