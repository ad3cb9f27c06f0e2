// JNI: raising, inspecting, printing and clearing exceptions.
#include "tests/standin/common/Utf.h"
#include "tests/standin/runtime/JniCall.h"
#include "tests/standin/runtime/Lang.h"

namespace tarn::standin {
namespace {

constexpr bool kExceptionSafe = true;

jthrowable JNICALL ExceptionOccurred(JNIEnv* env) {
    JniCall call(env, "ExceptionOccurred", kExceptionSafe);
    call.Trace("-> " + Describe(call.Thread().pending));
    return static_cast<jthrowable>(call.Local(call.Thread().pending));
}

jboolean JNICALL ExceptionCheck(JNIEnv* env) {
    JniCall call(env, "ExceptionCheck", kExceptionSafe);
    call.Trace(call.Thread().pending != nullptr ? "-> true" : "-> false");
    return call.Thread().pending != nullptr ? JNI_TRUE : JNI_FALSE;
}

void JNICALL ExceptionDescribe(JNIEnv* env) {
    JniCall call(env, "ExceptionDescribe", kExceptionSafe);
    call.Trace(Describe(call.Thread().pending));
    if (call.Thread().pending != nullptr) PrintUncaught(call.Thread());
}

void JNICALL ExceptionClear(JNIEnv* env) {
    JniCall call(env, "ExceptionClear", kExceptionSafe);
    call.Trace(Describe(call.Thread().pending));
    call.Thread().pending = nullptr;
}

}  // namespace

void AddExceptionFunctions(JNINativeInterface_& table) {
    table.ExceptionOccurred = ExceptionOccurred;
    table.ExceptionCheck = ExceptionCheck;
    table.ExceptionDescribe = ExceptionDescribe;
    table.ExceptionClear = ExceptionClear;
}

}  // namespace tarn::standin
