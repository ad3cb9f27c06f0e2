#include "jre/MachineFit.h"

namespace tarn {

bool RunsOn(uint16_t program, uint16_t system) {
    if (program == system) return true;
    if (system == kMachineX64) return program == kMachineX86;
    if (system == kMachineArm64) return program == kMachineX86 || program == kMachineX64;
    return false;
}

RuntimeFit FitOf(uint16_t machine, uint16_t own, uint16_t host, bool hasPairProduct, bool hasArm64Pair) {
    if (machine == own) return RuntimeFit::Here;
    if (!RunsOn(machine, host)) return RuntimeFit::NotRunnable;
    if (machine == kMachineArm64) return hasArm64Pair ? RuntimeFit::Arm64Pair : RuntimeFit::NoPair;
    return hasPairProduct ? RuntimeFit::PairProduct : RuntimeFit::NoPair;
}

const wchar_t* MachineName(uint16_t machine) {
    switch (machine) {
        case kMachineX86: return L"x86";
        case kMachineX64: return L"x64";
        case kMachineArm64: return L"ARM64";
    }
    return L"unknown";
}

}  // namespace tarn
