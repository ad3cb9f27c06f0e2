// FromModifiedUtf8: any bytes decode to UTF-16 units, and what a VM encodes decodes exactly.
#include <string>

#include "tests/native/fuzz/FuzzText.h"
#include "vm/ModifiedUtf8.h"

namespace {

// The VM's encoding of a Java string: each UTF-16 unit on its own, NUL as C0 80.
std::string ModifiedUtf8Of(const std::u16string& units) {
    std::string bytes;
    for (const char16_t unit : units) {
        const char low = static_cast<char>(0x80 | (unit & 0x3F)), middle = static_cast<char>(0x80 | (unit >> 6 & 0x3F));
        if (unit != 0 && unit < 0x80) bytes += static_cast<char>(unit);
        else if (unit < 0x800) bytes += {static_cast<char>(0xC0 | unit >> 6), low};
        else bytes += {static_cast<char>(0xE0 | unit >> 12), middle, low};
    }
    return bytes;
}

}  // namespace

void tarn::fuzz::Fuzz(const uint8_t* data, size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const WString decoded = FromModifiedUtf8(bytes.c_str());
    const size_t length = bytes.find('\0') == std::string::npos ? size : bytes.find('\0');
    FUZZ_CHECK(decoded.size() <= length);
    for (const wchar_t unit : decoded) FUZZ_CHECK(static_cast<uint32_t>(unit) <= 0xFFFF);

    std::u16string units(size / 2, u'\0');
    for (size_t i = 0; i < units.size(); ++i) units[i] = static_cast<char16_t>(data[2 * i] | data[2 * i + 1] << 8);
    const WString back = FromModifiedUtf8(ModifiedUtf8Of(units).c_str());
    FUZZ_CHECK(back == WString(units.begin(), units.end()));
}
