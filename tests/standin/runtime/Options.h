// The VM options JNI_CreateJavaVM accepts, with the syntax and error codes of a real VM.
// Windows-free.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "tests/standin/runtime/StandinJni.h"

namespace tarn::standin {

struct VmSettings {
    int feature = 17;  // the runtime's version (8, 17, 25...), as its release file says
    // -D, in ANSI text, in order; the module options as the jdk.module.* properties a VM makes of them
    std::vector<std::pair<std::string, std::string>> properties;
    ExitHook exitHook = nullptr;
    AbortHook abortHook = nullptr;
    uint64_t maxHeap = 0;
    uint64_t initialHeap = 0;
    uint64_t threadStack = 0;
    std::optional<jint> createResult;  // the test property tarn.standin.createResult
    std::string createGate;            // tarn.standin.createGate: an event creation waits for
};

// The property that makes creation fail with a chosen code once every option has been accepted
// (0 creates the VM as usual).
constexpr const char* kCreateResultProperty = "tarn.standin.createResult";
constexpr const char* kCreateGateProperty = "tarn.standin.createGate";

// JNI_OK with the settings filled, or the JNI error code with the message the VM prints.
jint ParseVmOptions(const JavaVMInitArgs& arguments, VmSettings& settings, std::string& message);
// Digits with an optional k, m, g or t suffix (either case); false when malformed or too large.
bool ParseMemorySize(std::string_view text, uint64_t& size);
bool IsSupportedJniVersion(jint version);

}  // namespace tarn::standin
