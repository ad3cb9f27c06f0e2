// "Restart Exit Codes" over any text: a list is taken whole or not at all, and reads the same
// written back in decimal.
#include "base/Format.h"
#include "launcher/LifecycleRules.h"
#include "tests/native/fuzz/FuzzText.h"

void tarn::fuzz::Fuzz(const uint8_t* data, size_t size) {
    std::vector<int32_t> codes = {1}, again;
    const bool parsed = ParseExitCodes(fuzz::TextOf(data, size), codes);
    FUZZ_CHECK(parsed || codes.empty());
    WString written;
    for (const int32_t code : codes) written += DecimalText(code) + L";";
    FUZZ_CHECK(ParseExitCodes(written, again) && again == codes);
}
