// Which launcher runs a Java runtime: a launcher loads only a jvm.dll built for its own machine, and
// hands one of another machine to the launcher built for it, when the system can run that one.
// Windows-free.
#pragma once
#include <cstdint>

#include "base/Text.h"

namespace tarn {

inline constexpr uint16_t kMachineX86 = 0x014C;    // IMAGE_FILE_MACHINE_I386
inline constexpr uint16_t kMachineX64 = 0x8664;    // IMAGE_FILE_MACHINE_AMD64
inline constexpr uint16_t kMachineArm64 = 0xAA64;  // IMAGE_FILE_MACHINE_ARM64

enum class RuntimeFit {
    Here,         // this launcher loads it: its own machine
    PairProduct,  // "Pair Product" runs it: the x86 or x64 launcher of the product
    Arm64Pair,    // "Pair Product ARM64" runs it
    NoPair,       // the system can run it, but the settings name no launcher for it
    NotRunnable,  // the system cannot run it at all
};

// A system runs programs of its own machine; x64 systems also x86 ones, ARM64 systems x86 and x64 ones.
bool RunsOn(uint16_t program, uint16_t system);
// Who runs a runtime built for machine, for a launcher built for own on a system of machine host.
RuntimeFit FitOf(uint16_t machine, uint16_t own, uint16_t host, bool hasPairProduct, bool hasArm64Pair);
// "x86", "x64", "ARM64", or "unknown".
const wchar_t* MachineName(uint16_t machine);

// What a start knows of machines, and the launcher that runs ARM64 runtimes.
struct MachinePairing {
    WString arm64Product;                // "Pair Product ARM64" of [Application]
    uint16_t (*readHost)() = nullptr;    // the machine the system runs on; test launchers stand for another
    uint16_t host = 0;                   // as read, once a start, when a runtime of another machine turns up
    bool toArm64Product = false;         // with usePairedProduct: the run goes to arm64Product
};

}  // namespace tarn
