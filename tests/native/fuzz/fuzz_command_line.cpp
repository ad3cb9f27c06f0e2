// The command-line splitter over any text.
#include "launcher/CommandLine.h"
#include "tests/native/fuzz/FuzzText.h"

void tarn::fuzz::Fuzz(const uint8_t* data, size_t size) {
    const WString text = fuzz::TextOf(data, size);
    WStringList words = {L"kept"};
    SplitCommandLine(text, words);
    FUZZ_CHECK(!words.empty() && words.front() == L"kept");
    words.erase(words.begin());
    // Each word is the text from its start: up to a space or the end, or up to the closing quote.
    // Spaces are skipped after each word, not before the first (a leading space gives an empty word).
    size_t at = 0;
    for (const WString& word : words) {
        const bool quoted = text[at] == L'"';
        const size_t from = quoted ? at + 1 : at;
        FUZZ_CHECK(text.compare(from, word.size(), word) == 0);
        at = from + word.size();
        if (quoted) {
            FUZZ_CHECK(at == text.size() || text[at] == L'"');
            at += at < text.size();
        } else {
            FUZZ_CHECK(at == text.size() || text[at] == L' ');
        }
        while (at < text.size() && text[at] == L' ') ++at;
    }
    FUZZ_CHECK(at == text.size());

    // Words written back, quoted where they need it, split into the same words.
    WString line;
    bool quotable = true;
    for (const WString& word : words) {
        if (word.find(L'"') != WString::npos) quotable = false;
        const bool plain = !word.empty() && word.find(L' ') == WString::npos;
        line += (line.empty() ? L"" : L" ") + (plain ? word : L"\"" + word + L"\"");
    }
    if (quotable) {
        WStringList again;
        SplitCommandLine(line, again);
        FUZZ_CHECK(again == words);
    }
    (void)ProgramArguments(text);
}
