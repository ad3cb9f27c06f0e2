#include "jre/ImageMachine.h"

#include <cstring>

namespace tarn {

namespace {

constexpr size_t kHeaderOffsetField = 0x3C;  // e_lfanew of the DOS header
constexpr size_t kDosHeaderSize = 64;
constexpr size_t kSignatureSize = 4;
constexpr size_t kFileHeaderSize = 20;

uint16_t LittleEndian16(const unsigned char* bytes) { return static_cast<uint16_t>(bytes[0] | bytes[1] << 8); }

uint32_t LittleEndian32(const unsigned char* bytes) {
    return static_cast<uint32_t>(bytes[0]) | static_cast<uint32_t>(bytes[1]) << 8 |
           static_cast<uint32_t>(bytes[2]) << 16 | static_cast<uint32_t>(bytes[3]) << 24;
}

}  // namespace

std::optional<uint16_t> ReadImageMachine(const ImageReader& read) {
    unsigned char dos[kDosHeaderSize];
    if (!read(0, dos, sizeof dos) || dos[0] != 'M' || dos[1] != 'Z') return std::nullopt;
    // The field is signed in the format; a negative offset reads as a huge one and lies outside.
    const uint32_t offset = LittleEndian32(dos + kHeaderOffsetField);
    unsigned char nt[kSignatureSize + kFileHeaderSize];
    if (!read(offset, nt, sizeof nt) || std::memcmp(nt, "PE\0\0", kSignatureSize) != 0) return std::nullopt;
    return LittleEndian16(nt + kSignatureSize);
}

}  // namespace tarn
