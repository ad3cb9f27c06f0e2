// Folding VM parameters as java takes them. Input: one word a line, each with an optional gate.
#include "launcher/SettingsStore.h"
#include "tests/native/fuzz/FuzzText.h"
#include "vm/OptionFolding.h"

void tarn::fuzz::Fuzz(const uint8_t* data, size_t size) {
    OptionWords words;
    for (WString line : SplitList(fuzz::TextOf(data, size), L"\n")) {
        const OptionGate gate = TakeGate(line);
        words.push_back({line, gate, static_cast<uint32_t>(words.size())});
    }
    const FoldResult folded = FoldOptionWords(words);
    if (folded.reason != kFolded) {
        FUZZ_CHECK(folded.word.origin < words.size() && folded.word.text == words[folded.word.origin].text);
        return;
    }
    // What reaches the VM is one word an option, none that java keeps for itself or folds.
    for (const OptionWord& option : folded.options) {
        FUZZ_CHECK(!option.text.empty() && option.text[0] == L'-');
        FUZZ_CHECK((KindOf(option.text) & (kModuleOption | kLauncherOnly | kValueMissing)) == 0);
    }
    // Folding is idempotent.
    const FoldResult again = FoldOptionWords(folded.options);
    FUZZ_CHECK(again.reason == kFolded && again.options.size() == folded.options.size());
    for (size_t i = 0; i < again.options.size(); ++i) {
        FUZZ_CHECK(again.options[i].text == folded.options[i].text && again.options[i].gate == folded.options[i].gate);
    }
}
