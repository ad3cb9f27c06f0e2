#include "vm/ModifiedUtf8.h"

#include <cstdint>

namespace tarn {
namespace {

constexpr wchar_t kReplacement = 0xFFFD;

bool IsContinuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

// How many bytes a sequence starting with lead has, 0 for a byte that cannot start one.
int SequenceLength(unsigned char lead) {
    if (lead < 0x80) return 1;
    if ((lead & 0xE0) == 0xC0) return 2;
    if ((lead & 0xF0) == 0xE0) return 3;
    if ((lead & 0xF8) == 0xF0) return 4;
    return 0;
}

void AppendCodePoint(uint32_t code, WString& out) {
    if (code < 0x10000) {
        out.push_back(static_cast<wchar_t>(code));
        return;
    }
    code -= 0x10000;
    out.push_back(static_cast<wchar_t>(0xD800 + (code >> 10)));
    out.push_back(static_cast<wchar_t>(0xDC00 + (code & 0x3FF)));
}

}  // namespace

WString FromModifiedUtf8(const char* text) {
    WString out;
    if (text == nullptr) return out;
    const auto* bytes = reinterpret_cast<const unsigned char*>(text);
    size_t at = 0;
    while (bytes[at] != 0) {
        const int length = SequenceLength(bytes[at]);
        uint32_t code = length == 1 ? bytes[at] : bytes[at] & (0x7F >> length);
        int taken = 1;
        while (length > 1 && taken < length && IsContinuation(bytes[at + taken])) {
            code = (code << 6) | (bytes[at + taken] & 0x3F);
            ++taken;
        }
        if (length == 0 || taken < length || code > 0x10FFFF) {
            out.push_back(kReplacement);
        } else {
            AppendCodePoint(code, out);
        }
        at += taken;
    }
    return out;
}

}  // namespace tarn
