// Version gates: a gate taken from a word admits exactly the versions it names, and two gates
// together admit what both do. Input: two feature numbers (bytes), then the word.
#include "tests/native/fuzz/FuzzText.h"
#include "vm/OptionGate.h"

void tarn::fuzz::Fuzz(const uint8_t* data, size_t size) {
    if (size < 2) return;
    const WString word = fuzz::TextOf(data + 2, size - 2);
    WString rest = word;
    const OptionGate gate = TakeGate(rest);
    if (rest == word) {
        FUZZ_CHECK(gate == OptionGate{});
    } else {
        // The gate was "[" what it names "]" in front of the rest.
        const size_t close = word.find(L']');
        FUZZ_CHECK(word[0] == L'[' && close != WString::npos && word.substr(close + 1) == rest && !rest.empty() && gate.lowest <= gate.highest);
    }
    for (const int feature : {static_cast<int>(data[0]), static_cast<int>(data[1])}) {
        if (feature == 0) continue;  // an unknown version: the newest
        FUZZ_CHECK(gate.Admits(feature) == (feature >= gate.lowest && feature <= gate.highest));
        OptionGate other = {data[1] % 30, data[0] % 30 + 10};
        FUZZ_CHECK(Narrowed(gate, other).Admits(feature) == (gate.Admits(feature) && other.Admits(feature)));
    }
    FUZZ_CHECK(gate.Admits(0) == (gate.highest == OptionGate{}.highest));
}
