// JNI: raising, inspecting, printing and clearing exceptions.
#include "tests/standin/common/Utf.h"
#include "tests/standin/runtime/JniCall.h"
#include "tests/standin/runtime/Lang.h"

namespace tarn::standin {
namespace {

constexpr bool kExceptionSafe = true;

jint JNICALL ThrowObject(JNIEnv* env, jthrowable throwable) {
    JniCall call(env, "Throw");
    Object* exception = call.Get(throwable);
    call.Trace(Describe(exception));
    if (exception == nullptr || exception->kind != Kind::Throwable) {
        call.Warn("not a throwable: " + Describe(exception));
        return JNI_ERR;
    }
    call.Thread().pending = exception;
    return JNI_OK;
}

jint JNICALL ThrowNew(JNIEnv* env, jclass clazz, const char* message) {
    JniCall call(env, "ThrowNew");
    ClassInfo* cls = call.ClassOf(clazz);
    call.Trace((cls != nullptr ? cls->name : "null") + ", " + QuoteName(message));
    if (cls == nullptr || cls->instanceKind != Kind::Throwable) {
        call.Warn("not a throwable class");
        return JNI_ERR;
    }
    const std::u16string text = message != nullptr ? FromModifiedUtf8(message) : u"";
    call.Thread().pending = TheVm().heap.NewThrowable(cls, message != nullptr ? &text : nullptr);
    return JNI_OK;
}

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

void JNICALL FatalError(JNIEnv* env, const char* message) {
    JniCall call(env, "FatalError", kExceptionSafe);
    call.Trace(QuoteName(message));
    VmMessage("FATAL ERROR in native method: " + std::string(message != nullptr ? message : ""));
    VmAbort("FatalError");
}

}  // namespace

void AddExceptionFunctions(JNINativeInterface_& table) {
    table.Throw = ThrowObject;
    table.ThrowNew = ThrowNew;
    table.ExceptionOccurred = ExceptionOccurred;
    table.ExceptionCheck = ExceptionCheck;
    table.ExceptionDescribe = ExceptionDescribe;
    table.ExceptionClear = ExceptionClear;
    table.FatalError = FatalError;
}

}  // namespace tarn::standin
