// The processor architecture of this build, and the registry view where the other one registers.
// A runtime of another machine cannot be loaded here and is handed to the paired product.
#pragma once
#include <cstdint>

#include "base/Registry.h"
#include "jre/MachineFit.h"

namespace tarn {

#if defined(__aarch64__) || defined(_M_ARM64)
inline constexpr uint16_t kOwnMachine = kMachineArm64;
// ARM64 and x64 runtimes share the 64-bit view; x86 runtimes register in the other.
inline constexpr RegistryView kOtherView = RegistryView::Wide32;
inline constexpr uint16_t kOtherViewMachine = kMachineX86;
#elif defined(__x86_64__) || defined(_M_X64)
inline constexpr uint16_t kOwnMachine = kMachineX64;
// The default view of a 64-bit process is the 64-bit one; 32-bit runtimes register in the other.
inline constexpr RegistryView kOtherView = RegistryView::Wide32;
inline constexpr uint16_t kOtherViewMachine = kMachineX86;
#else
inline constexpr uint16_t kOwnMachine = kMachineX86;
// A 32-bit process sees the 32-bit view by default; 64-bit runtimes register in the other.
inline constexpr RegistryView kOtherView = RegistryView::Wide64;
inline constexpr uint16_t kOtherViewMachine = kMachineX64;
#endif

}  // namespace tarn
