// What every fuzz target shares: its entry point, fuzz input turned into the launcher's text, and
// the check of a property.
#pragma once
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "base/Text.h"

namespace tarn::fuzz {

// Each target defines Fuzz: one input, its properties checked with FUZZ_CHECK.
void Fuzz(const uint8_t* data, size_t size);

// UTF-8 where it is well formed (so seed files stay readable), every other byte taken as one unit.
// Every unit fits 16 bits, as on Windows.
inline WString TextOf(const uint8_t* data, size_t size) {
    WString text;
    for (size_t at = 0; at < size;) {
        const uint8_t lead = data[at];
        const size_t length = (lead & 0xE0) == 0xC0 ? 2 : (lead & 0xF0) == 0xE0 ? 3 : 1;
        uint32_t code = length == 2 ? lead & 0x1F : lead & 0x0F;
        size_t taken = 1;
        while (length > 1 && taken < length && at + taken < size && (data[at + taken] & 0xC0) == 0x80) {
            code = code << 6 | (data[at + taken] & 0x3F);
            ++taken;
        }
        text.push_back(static_cast<wchar_t>(taken == length && length > 1 ? code : lead));
        at += taken == length ? length : 1;
    }
    return text;
}

// A property that must hold; its failure stops the run as a crash, with the input saved.
#define FUZZ_CHECK(condition) \
    ((condition) ? void() : (std::fprintf(stderr, "property failed: %s (%s:%d)\n", #condition, __FILE__, __LINE__), std::abort()))

}  // namespace tarn::fuzz

// Not inline: libFuzzer needs the symbol, and each target is a single source file.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    tarn::fuzz::Fuzz(data, size);
    return 0;
}
