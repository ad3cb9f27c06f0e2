// The processor architecture of this build, and the registry view where the other one registers.
// A runtime of the other architecture cannot be loaded here and is handed to the paired product.
#pragma once
#include <cstdint>

#include "base/Registry.h"

namespace tarn {

#if defined(__x86_64__) || defined(_M_X64)
inline constexpr uint16_t kOwnMachine = 0x8664;  // IMAGE_FILE_MACHINE_AMD64
// The default view of a 64-bit process is the 64-bit one; 32-bit runtimes register in the other.
inline constexpr RegistryView kOtherView = RegistryView::Wide32;
#else
inline constexpr uint16_t kOwnMachine = 0x014C;  // IMAGE_FILE_MACHINE_I386
// A 32-bit process sees the 32-bit view by default; 64-bit runtimes register in the other.
inline constexpr RegistryView kOtherView = RegistryView::Wide64;
#endif

}  // namespace tarn
