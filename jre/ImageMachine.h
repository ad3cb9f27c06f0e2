// The machine type of a PE image, read from its headers with every offset checked.
// Windows-free: the bytes come through a reader, so any file (or none) can be examined safely.
#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>

namespace tarn {

// Fills count bytes from offset; false unless all of them exist.
using ImageReader = std::function<bool(uint64_t offset, void* buffer, size_t count)>;

// The file header's Machine field; nothing unless the image starts with "MZ" and its header
// offset leads, inside the file, to the "PE\0\0" signature and a whole file header.
std::optional<uint16_t> ReadImageMachine(const ImageReader& read);

}  // namespace tarn
