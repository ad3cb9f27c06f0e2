// Machines: the one an image file on disk is built for, and the one the system runs on.
#pragma once
#include <cstdint>
#include <optional>

#include "base/Text.h"

namespace tarn {

// The Machine field of the PE image at path; nothing when the file cannot be opened or read
// (missing, a folder, locked), or is not a PE image.
std::optional<uint16_t> ImageMachineOfFile(const WString& path);
// The system's native machine (IsWow64Process2, which older systems lack: there a 32-bit process
// under WOW64 runs on x64, any other on its own machine).
uint16_t RunningMachine();

}  // namespace tarn
