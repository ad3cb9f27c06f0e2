// The checks every JNI function shares, in the spirit of -Xcheck:jni, and the small helpers they use.
#pragma once
#include <string>

#include "tests/standin/common/TraceLog.h"
#include "tests/standin/runtime/Describe.h"
#include "tests/standin/runtime/Vm.h"

namespace tarn::standin {

class JniCall {
public:
    // Warns when env is used on a thread other than its own, by a thread that is not attached, after
    // DestroyJavaVM, or (unless the function is one of the exception-safe ones) while an exception is
    // pending. An env that this VM never handed out is fatal, as it is for a real VM.
    JniCall(JNIEnv* env, const char* function, bool exceptionSafe = false);

    ThreadRecord& Thread() const { return *thread_; }
    const char* Function() const { return function_; }
    Object* Get(jobject ref) const { return TheVm().refs.Resolve(ref, function_); }
    // The class a jclass stands for; warns and answers null for null or a non-class.
    ClassInfo* ClassOf(jclass cls) const;
    jobject Local(Object* object) const { return TheVm().refs.NewLocal(*thread_, object); }
    void Trace(const std::string& detail) const { TraceLine(function_, detail); }
    void Warn(const std::string& text) const { TraceWarning(std::string(function_) + ": " + text); }
    // "" or " [java/lang/X pending]" for the trace of a call that may raise.
    std::string Outcome() const;
    jmethodID MethodId(const MethodInfo* method) const;
    // The method behind an ID; warns and answers null for anything GetMethodID did not hand out.
    const MethodInfo* Method(jmethodID id) const;

private:
    const char* function_;
    ThreadRecord* thread_ = nullptr;
};

// The parts of the JNIEnv function table, one per source file.
void AddClassFunctions(JNINativeInterface_& table);
void AddExceptionFunctions(JNINativeInterface_& table);
void AddReferenceFunctions(JNINativeInterface_& table);
void AddCallFunctions(JNINativeInterface_& table);
void AddStringFunctions(JNINativeInterface_& table);

}  // namespace tarn::standin
