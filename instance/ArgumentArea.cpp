#include "instance/ArgumentArea.h"

#include <algorithm>

namespace tarn {
namespace {

uint16_t UnitAt(ConstBytes bytes, size_t index) {
    return static_cast<uint16_t>(bytes[2 * index] | (bytes[2 * index + 1] << 8));
}

}  // namespace

uint32_t ReadBlockField(ConstBytes block, size_t offset) {
    if (offset > block.size() || block.size() - offset < 4) return 0;
    uint32_t value = 0;
    for (size_t i = 0; i < 4; ++i) value |= static_cast<uint32_t>(block[offset + i]) << (8 * i);
    return value;
}

void WriteBlockField(Bytes block, size_t offset, uint32_t value) {
    if (offset > block.size() || block.size() - offset < 4) return;
    for (size_t i = 0; i < 4; ++i) block[offset + i] = static_cast<uint8_t>(value >> (8 * i));
}

size_t ForwardedSize(const WStringList& arguments) {
    size_t size = 2;
    for (const WString& argument : arguments) size += 2 * argument.size() + 2;
    return size;
}

bool WriteArgumentArea(const WStringList& arguments, Bytes area) {
    if (area.size() < kForwardLimit || ForwardedSize(arguments) > kForwardLimit) return false;
    std::fill_n(area.begin(), kForwardLimit, uint8_t{0});
    size_t at = 0;
    for (const WString& argument : arguments) {
        for (const wchar_t ch : argument) {
            area[at++] = static_cast<uint8_t>(ch & 0xFF);
            area[at++] = static_cast<uint8_t>((ch >> 8) & 0xFF);
        }
        at += 2;  // the zero fill is the terminator
    }
    return true;
}

WStringList ReadArgumentArea(ConstBytes area) {
    WStringList list;
    WString current;
    const size_t units = area.size() / 2;
    // The last unit can only be a list's final NUL: anything still open when it is reached is dropped.
    for (size_t index = 0; index + 1 < units; ++index) {
        const uint16_t unit = UnitAt(area, index);
        if (unit != 0) {
            current.push_back(static_cast<wchar_t>(unit));
            continue;
        }
        list.push_back(std::move(current));
        current.clear();
        if (UnitAt(area, index + 1) == 0) break;
    }
    return list;
}

}  // namespace tarn
