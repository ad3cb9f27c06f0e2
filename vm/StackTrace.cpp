#include "vm/StackTrace.h"

#include "vm/JavaStrings.h"
#include "vm/ModifiedUtf8.h"

namespace tarn {
namespace {

// An instance method of the object's own class; null (exception pending) when it has none.
jmethodID MethodOf(JNIEnv* env, jobject object, const char* name, const char* signature) {
    LocalRef cls(env, env->GetObjectClass(object));
    if (cls.get() == nullptr) return nullptr;
    return env->GetMethodID(static_cast<jclass>(cls.get()), name, signature);
}

void DescribeAnyException(JNIEnv* env) {
    if (env->ExceptionCheck()) env->ExceptionDescribe();
}

WString ReadStackTrace(jthrowable exception, JNIEnv* env) {
    LocalRef buffer(env, NewJavaObject(env, "java/io/ByteArrayOutputStream", "()V"));
    if (buffer.get() == nullptr) return {};
    LocalRef stream(env, NewJavaObject(env, "java/io/PrintStream", "(Ljava/io/OutputStream;)V", buffer.get()));
    if (stream.get() == nullptr) return {};
    const jmethodID print = MethodOf(env, exception, "printStackTrace", "(Ljava/io/PrintStream;)V");
    if (print == nullptr) return {};
    env->CallVoidMethod(exception, print, stream.get());
    DescribeAnyException(env);
    const jmethodID toString = MethodOf(env, buffer.get(), "toString", "()Ljava/lang/String;");
    if (toString == nullptr) return {};
    LocalRef text(env, env->CallObjectMethod(buffer.get(), toString));
    DescribeAnyException(env);
    if (text.get() == nullptr) return {};
    StringUtfChars chars(env, static_cast<jstring>(text.get()));
    return FromModifiedUtf8(chars.get());
}

}  // namespace

WString StackTraceText(jthrowable exception, JNIEnv* env) {
    WString text = ReadStackTrace(exception, env);
    // A step that failed leaves its exception pending: printed, so the caller starts clean.
    DescribeAnyException(env);
    return text;
}

}  // namespace tarn
