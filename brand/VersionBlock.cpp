#include "brand/VersionBlock.h"

#include <functional>

namespace tarn::brand {
namespace {

constexpr uint32_t kFixedInfoSignature = 0xFEEF04BD;
constexpr uint32_t kOsNtWindows32 = 0x00040004;
constexpr uint32_t kFileTypeApp = 1;
constexpr uint32_t kTextValue = 1, kBinaryValue = 0;

constexpr size_t kWordLimit = 0xFFFF;

// One node: length, value length, type, key, padding, value, padding, children. The length
// covers the whole node with its children; it is filled in when they are written. Either length
// beyond its 16 bits clears fits.
void PutNode(Bytes& out, bool& fits, const WString& key, uint32_t type, uint32_t valueLength,
             const std::function<void(Bytes&)>& value, const std::function<void(Bytes&)>& children = {}) {
    const size_t start = out.size();
    fits = fits && valueLength <= kWordLimit;
    PutWord(out, 0);
    PutWord(out, valueLength);
    PutWord(out, type);
    PutText(out, key);
    PadToDword(out);
    if (value) value(out);
    if (children) {
        PadToDword(out);
        children(out);
    }
    fits = fits && out.size() - start <= kWordLimit;
    SetWord(out, start, static_cast<uint32_t>(out.size() - start));
}

uint32_t High(const VersionNumber& v) { return (uint32_t{v[0]} << 16) | v[1]; }
uint32_t Low(const VersionNumber& v) { return (uint32_t{v[2]} << 16) | v[3]; }

}  // namespace

std::optional<VersionNumber> ParseVersionNumber(const WString& text) {
    VersionNumber number{};
    size_t part = 0, digits = 0;
    uint32_t value = 0;
    for (size_t i = 0; i <= text.size(); ++i) {
        if (i == text.size() || text[i] == L'.') {
            if (digits == 0 || part == 4) return std::nullopt;
            number[part++] = static_cast<uint16_t>(value);
            digits = value = 0;
        } else if (text[i] >= L'0' && text[i] <= L'9' && digits < 5) {
            value = value * 10 + static_cast<uint32_t>(text[i] - L'0');
            if (value > 0xFFFF) return std::nullopt;
            ++digits;
        } else {
            return std::nullopt;
        }
    }
    return number;
}

std::optional<Bytes> BuildVersionBlock(const VersionInfo& info) {
    Bytes out;
    bool fits = true;
    auto fixed = [&](Bytes& b) {
        for (const uint32_t field : {kFixedInfoSignature, 0x00010000u, High(info.fileVersion), Low(info.fileVersion),
                                     High(info.productVersion), Low(info.productVersion), 0x3Fu, 0u, kOsNtWindows32,
                                     kFileTypeApp, 0u, 0u, 0u})
            PutDword(b, field);
    };
    auto strings = [&](Bytes& b) {
        PutNode(b, fits, L"StringFileInfo", kTextValue, 0, {}, [&](Bytes& c) {
            PutNode(c, fits, L"040904b0", kTextValue, 0, {}, [&](Bytes& d) {
                for (const auto& [name, value] : info.strings) {
                    PadToDword(d);
                    PutNode(d, fits, name, kTextValue, static_cast<uint32_t>(value.size() + 1),
                            [&](Bytes& e) { PutText(e, value); });
                }
            });
        });
        PadToDword(b);
        PutNode(b, fits, L"VarFileInfo", kTextValue, 0, {}, [&](Bytes& c) {
            // US English, Unicode.
            PutNode(c, fits, L"Translation", kBinaryValue, 4, [](Bytes& d) { PutDword(d, 0x04B00409); });
        });
    };
    PutNode(out, fits, L"VS_VERSION_INFO", kBinaryValue, 52, fixed, strings);
    if (!fits) return std::nullopt;
    return out;
}

}  // namespace tarn::brand
