// The JNIEnv function table, laid out as jni.h's JNINativeInterface_. Every slot is filled: a
// function the stand-in lacks says so by name and ends the process, as a real VM's fatal error does.
#include <iterator>
#include <utility>

#include "tests/standin/runtime/JniCall.h"

namespace tarn::standin {
namespace {

constexpr const char* kFunctionNames[] = {
#include "JniFunctionNames.inc"
};
constexpr size_t kReserved = 4;
constexpr size_t kSlots = sizeof(JNINativeInterface_) / sizeof(void*);
static_assert(kSlots == kReserved + std::size(kFunctionNames), "jni.h and the generated names disagree");

[[noreturn]] void Unimplemented(size_t slot) {
    const std::string text =
        "unimplemented JNI function " + std::to_string(slot) + " (" + kFunctionNames[slot - kReserved] + ")";
    TraceWarning(text);
    VmMessage("FATAL ERROR in native method: the stand-in runtime has no " + text.substr(14));
    VmAbort(text);
}

// The callee never returns, so its parameter list does not matter even for stdcall.
template <size_t Slot>
void JNICALL Missing() {
    Unimplemented(Slot);
}

template <size_t... Index>
void FillMissing(void** slots, std::index_sequence<Index...>) {
    ((slots[kReserved + Index] = reinterpret_cast<void*>(&Missing<kReserved + Index>)), ...);
}

JNINativeInterface_ BuildTable() {
    JNINativeInterface_ table{};
    FillMissing(reinterpret_cast<void**>(&table), std::make_index_sequence<kSlots - kReserved>());
    AddClassFunctions(table);
    AddExceptionFunctions(table);
    AddReferenceFunctions(table);
    AddCallFunctions(table);
    AddStringFunctions(table);
    return table;
}

}  // namespace

const JNINativeInterface_* JniFunctions() {
    static const JNINativeInterface_ table = BuildTable();
    return &table;
}

}  // namespace tarn::standin
