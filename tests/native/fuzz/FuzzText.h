// Turning fuzz input into the launcher's text: UTF-8 where it is well formed (so seed files stay
// readable), every other byte taken as one unit. Every unit fits 16 bits, as on Windows.
#pragma once
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "base/Text.h"

namespace tarn::fuzz {

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
#define FUZZ_CHECK(condition)                                                          \
    do {                                                                               \
        if (!(condition)) {                                                            \
            std::fprintf(stderr, "property failed: %s (%s:%d)\n", #condition, __FILE__, __LINE__); \
            std::abort();                                                              \
        }                                                                              \
    } while (0)

}  // namespace tarn::fuzz
