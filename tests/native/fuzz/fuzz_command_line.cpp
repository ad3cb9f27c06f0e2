// The command-line splitter over any text.
#include "launcher/CommandLine.h"
#include "tests/native/fuzz/FuzzText.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace tarn;
    const WString text = fuzz::TextOf(data, size);
    WStringList words = {L"kept"};
    SplitCommandLine(text, words);
    FUZZ_CHECK(!words.empty() && words.front() == L"kept");
    words.erase(words.begin());
    size_t units = 0;
    for (const WString& word : words) units += word.size();
    FUZZ_CHECK(units <= text.size());

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
    return 0;
}
