#include "brand/IconFile.h"

#include <cstring>

namespace tarn::brand {
namespace {

constexpr size_t kHeaderSize = 6, kEntrySize = 16;
constexpr uint8_t kPngSignature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
constexpr uint32_t kBitmapHeaderSize = 40;

bool IsImage(const Bytes& image) {
    if (image.size() >= sizeof kPngSignature && std::memcmp(image.data(), kPngSignature, sizeof kPngSignature) == 0)
        return true;
    return image.size() > kBitmapHeaderSize && DwordAt(image, 0) == kBitmapHeaderSize;
}

}  // namespace

std::optional<IconImages> ReadIconFile(const Bytes& file, uint16_t firstId) {
    if (file.size() < kHeaderSize || WordAt(file, 0) != 0 || WordAt(file, 2) != 1) return std::nullopt;
    const uint32_t count = WordAt(file, 4);
    if (count == 0 || count > 0xFFFFu - firstId || file.size() < kHeaderSize + count * kEntrySize) return std::nullopt;
    IconImages icon;
    PutWord(icon.group, 0);
    PutWord(icon.group, 1);
    PutWord(icon.group, count);
    for (uint32_t i = 0; i < count; ++i) {
        const size_t entry = kHeaderSize + i * kEntrySize;
        const uint64_t size = DwordAt(file, entry + 8), offset = DwordAt(file, entry + 12);
        if (size == 0 || offset + size > file.size()) return std::nullopt;
        Bytes image(file.begin() + static_cast<ptrdiff_t>(offset), file.begin() + static_cast<ptrdiff_t>(offset + size));
        if (!IsImage(image)) return std::nullopt;
        // Width, height, colours, reserved, planes and bits per pixel stay as the file has them;
        // the file offset becomes the image's resource id.
        icon.group.insert(icon.group.end(), file.begin() + static_cast<ptrdiff_t>(entry),
                          file.begin() + static_cast<ptrdiff_t>(entry + 12));
        PutWord(icon.group, firstId + i);
        icon.images.push_back(std::move(image));
    }
    return icon;
}

}  // namespace tarn::brand
