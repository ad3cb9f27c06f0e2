// The block that a later start shares with the running instance, and the argument list it carries.
// Windows-free: plain bytes in and out, so that it can be tested and fuzzed anywhere. Any process of
// the session can write the block, so nothing here trusts a count, a length or a terminator.
#pragma once
#include <cstddef>
#include <cstdint>
#include <span>

#include "base/Text.h"

namespace tarn {

// Layout (little-endian): listener thread id, running process id, request message id, then the
// argument area of UTF-16 units, each argument followed by a NUL and the list by one more NUL.
inline constexpr size_t kBlockSize = 2092;
inline constexpr size_t kListenerThreadOffset = 0;
inline constexpr size_t kProcessIdOffset = 4;
inline constexpr size_t kMessageIdOffset = 8;
inline constexpr size_t kArgumentAreaOffset = 12;
inline constexpr size_t kArgumentAreaSize = kBlockSize - kArgumentAreaOffset;  // 2,080
// A later start writes no more than this into the argument area.
inline constexpr size_t kForwardLimit = 1040;

using ConstBytes = std::span<const uint8_t>;
using Bytes = std::span<uint8_t>;

// A header field; 0 when the field does not lie wholly inside the bytes.
uint32_t ReadBlockField(ConstBytes block, size_t offset);
// Writes a header field when it lies wholly inside the bytes.
void WriteBlockField(Bytes block, size_t offset, uint32_t value);

// What the list takes in the area: two bytes per unit, two per terminator, two for the list's end.
size_t ForwardedSize(const WStringList& arguments);
// Zeroes the first kForwardLimit bytes and writes the list there. False, with the area untouched,
// when the list needs more than kForwardLimit bytes or the area is smaller than that.
bool WriteArgumentArea(const WStringList& arguments, Bytes area);
// The list in the area. A NUL ends an argument, and a second NUL right after it the list; the last
// unit of the area is only ever looked at as that second NUL, and an argument still open there is
// dropped. So an empty area gives one empty argument, and an area without two NULs in a row gives
// the arguments it completed.
WStringList ReadArgumentArea(ConstBytes area);

}  // namespace tarn
