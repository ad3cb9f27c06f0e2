// Reading the machine type of an image file on disk.
#pragma once
#include <cstdint>
#include <optional>

#include "base/Text.h"

namespace tarn {

// The Machine field of the PE image at path; nothing when the file cannot be opened or read
// (missing, a folder, locked), or is not a PE image.
std::optional<uint16_t> ImageMachineOfFile(const WString& path);

}  // namespace tarn
