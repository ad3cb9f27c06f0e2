#include "jre/LinkColor.h"

#include <string_view>

namespace tarn {

namespace {

// Signed decimal as the C library reads it: leading blanks, an optional sign, then digits up to
// the first other character; no digits give 0. Large values saturate, which keeps their meaning
// (not -1) without overflowing.
int64_t ToNumber(std::u16string_view text) {
    size_t at = 0;
    while (at < text.size() && (text[at] == u' ' || (text[at] >= u'\t' && text[at] <= u'\r'))) ++at;
    bool negative = false;
    if (at < text.size() && (text[at] == u'-' || text[at] == u'+')) negative = text[at++] == u'-';
    int64_t value = 0;
    for (; at < text.size() && text[at] >= u'0' && text[at] <= u'9'; ++at) {
        if (value < (int64_t{1} << 40)) value = value * 10 + (text[at] - u'0');
    }
    return negative ? -value : value;
}

// Takes the text up to the next comma off the front; empty when there is no comma.
std::optional<int64_t> TakeComponent(std::u16string_view& text) {
    const size_t comma = text.find(u',');
    if (comma == std::u16string_view::npos) return std::nullopt;
    const int64_t value = ToNumber(text.substr(0, comma));
    text.remove_prefix(comma + 1);
    return value;
}

}  // namespace

std::optional<uint32_t> ColorFromRegistryValue(uint32_t type, const char16_t* data, uint32_t byteSize) {
    if (type != kRegistryText && type != kRegistryExpandText) return std::nullopt;
    if (byteSize > kColorValueUnits * sizeof(char16_t) || byteSize % 2 != 0) return std::nullopt;
    const size_t units = byteSize / 2;
    // Only an empty value or a terminated text counts.
    if (units > 0 && data[units - 1] != u'\0') return std::nullopt;
    std::u16string_view text(data, units == 0 ? 0 : units - 1);
    text = text.substr(0, text.find(u'\0'));
    const auto red = TakeComponent(text);
    const auto green = TakeComponent(text);
    if (!red || !green || text.empty()) return std::nullopt;
    const int64_t blue = ToNumber(text);
    // -1 is the conversion's error value, so a component of -1 rejects the text.
    if (*red == -1 || *green == -1 || blue == -1) return std::nullopt;
    return MakeColor(static_cast<uint32_t>(*red), static_cast<uint32_t>(*green), static_cast<uint32_t>(blue));
}

}  // namespace tarn
