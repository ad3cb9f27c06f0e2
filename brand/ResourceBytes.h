// Little-endian byte building and reading for resource formats (version block, icon groups).
#pragma once
#include <cstdint>
#include <vector>

#include "base/Text.h"

namespace tarn::brand {

using Bytes = std::vector<uint8_t>;

inline void PutWord(Bytes& out, uint32_t value) {
    out.push_back(static_cast<uint8_t>(value));
    out.push_back(static_cast<uint8_t>(value >> 8));
}
inline void PutDword(Bytes& out, uint32_t value) {
    PutWord(out, value & 0xFFFF);
    PutWord(out, value >> 16);
}
inline void SetWord(Bytes& out, size_t at, uint32_t value) {
    out[at] = static_cast<uint8_t>(value);
    out[at + 1] = static_cast<uint8_t>(value >> 8);
}
// UTF-16 units of the text and a terminating NUL.
inline void PutText(Bytes& out, const WString& text) {
    for (const wchar_t unit : text) PutWord(out, static_cast<uint32_t>(unit));
    PutWord(out, 0);
}
inline void PadToDword(Bytes& out) {
    while (out.size() % 4 != 0) out.push_back(0);
}
inline uint32_t WordAt(const Bytes& in, size_t at) { return in[at] | (in[at + 1] << 8); }
inline uint32_t DwordAt(const Bytes& in, size_t at) { return WordAt(in, at) | (WordAt(in, at + 2) << 16); }

}  // namespace tarn::brand
