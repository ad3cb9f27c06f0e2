// The link colours a user chose for the browser, as the registry stores them ("R,G,B" text).
// Windows-free, so the validation rules can be tested and fuzzed on their own.
#pragma once
#include <cstdint>
#include <optional>

namespace tarn {

// Registry value types that may hold the text.
inline constexpr uint32_t kRegistryText = 1;          // REG_SZ
inline constexpr uint32_t kRegistryExpandText = 2;    // REG_EXPAND_SZ
// Units read for a colour value: "255,255,255" and its terminator fit, longer texts do not.
inline constexpr uint32_t kColorValueUnits = 12;

// A colour as COLORREF lays it out: red in the low byte, then green, then blue.
constexpr uint32_t MakeColor(uint32_t red, uint32_t green, uint32_t blue) {
    return (red & 0xFF) | (green & 0xFF) << 8 | (blue & 0xFF) << 16;
}

// The colour of a value read from the registry: its type, its data (UTF-16 units) and its size in
// bytes. Empty when the value is not a well-formed, terminated "R,G,B" text; each component keeps
// its low 8 bits.
std::optional<uint32_t> ColorFromRegistryValue(uint32_t type, const char16_t* data, uint32_t byteSize);

}  // namespace tarn
