// The PE machine reader over arbitrary bytes, against the format's own rule read directly.
#include <cstring>

#include "jre/ImageMachine.h"
#include "tests/native/fuzz/FuzzText.h"

void tarn::fuzz::Fuzz(const uint8_t* data, size_t size) {
    const auto machine = ReadImageMachine([&](uint64_t offset, void* buffer, size_t count) {
        if (offset > size || count > size - offset) return false;
        std::memcpy(buffer, data + offset, count);
        return true;
    });
    // "MZ", the header offset at 0x3C, "PE\0\0" there and 20 bytes of file header after it.
    std::optional<uint16_t> expected;
    if (size >= 64 && data[0] == 'M' && data[1] == 'Z') {
        const uint64_t at = data[0x3C] | data[0x3D] << 8 | data[0x3E] << 16 | uint64_t{data[0x3F]} << 24;
        if (at + 24 <= size && std::memcmp(data + at, "PE\0\0", 4) == 0) {
            expected = static_cast<uint16_t>(data[at + 4] | data[at + 5] << 8);
        }
    }
    FUZZ_CHECK(machine == expected);
}
