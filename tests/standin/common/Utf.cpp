#include "tests/standin/common/Utf.h"

#include <windows.h>

namespace tarn::standin {
namespace {

// The platform's conversions (CP_UTF8 replaces malformed input and unpaired surrogates by U+FFFD).
std::string Narrow(UINT codePage, std::u16string_view text) {
    const auto* wide = reinterpret_cast<const wchar_t*>(text.data());
    const int size = WideCharToMultiByte(codePage, 0, wide, static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string out(size, '\0');
    WideCharToMultiByte(codePage, 0, wide, static_cast<int>(text.size()), out.data(), size, nullptr, nullptr);
    return out;
}

std::u16string Widen(UINT codePage, std::string_view text) {
    const int size = MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::u16string out(size, u'\0');
    MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), reinterpret_cast<wchar_t*>(out.data()),
                        size);
    return out;
}

}  // namespace

std::string ToUtf8(std::u16string_view text) { return Narrow(CP_UTF8, text); }
std::u16string FromUtf8(std::string_view text) { return Widen(CP_UTF8, text); }
std::u16string FromAnsi(std::string_view text) { return Widen(CP_ACP, text); }

// Each UTF-16 unit on its own, in one to three bytes; U+0000 as two.
std::string ToModifiedUtf8(std::u16string_view text) {
    std::string out;
    for (const char16_t unit : text) {
        if (unit != 0 && unit < 0x80) {
            out += static_cast<char>(unit);
        } else if (unit < 0x800) {
            out += static_cast<char>(0xC0 | (unit >> 6));
            out += static_cast<char>(0x80 | (unit & 0x3F));
        } else {
            out += static_cast<char>(0xE0 | (unit >> 12));
            out += static_cast<char>(0x80 | ((unit >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (unit & 0x3F));
        }
    }
    return out;
}

std::u16string FromModifiedUtf8(std::string_view text) {
    std::u16string out;
    for (size_t i = 0; i < text.size();) {
        const auto byte = [&](size_t k) { return k < text.size() ? static_cast<unsigned char>(text[k]) : 0u; };
        const unsigned lead = byte(i);
        const int more = lead >= 0xE0 ? 2 : lead >= 0xC0 ? 1 : 0;
        unsigned unit = more == 2 ? lead & 0x0F : more == 1 ? lead & 0x1F : lead;
        for (int k = 1; k <= more; ++k) unit = (unit << 6) | (byte(i + k) & 0x3F);
        out += static_cast<char16_t>(unit);
        i += more + 1;
    }
    return out;
}

std::u16string FromWide(std::wstring_view text) { return std::u16string(text.begin(), text.end()); }
std::wstring ToWide(std::u16string_view text) { return std::wstring(text.begin(), text.end()); }

}  // namespace tarn::standin
