// Java strings made from the launcher's UTF-16 text, and the text of a Java string.
#pragma once
#include <jni.h>

#include "base/Text.h"

namespace tarn {

// A java.lang.String built through String(char[]), so UTF-16 units pass unchanged; null on failure
// (with the VM's exception, if any, still pending).
jstring NewJavaString(JNIEnv* env, const WString& text);
// A String[] of the list's texts (empty list: empty array); null on failure.
jobjectArray NewJavaStringArray(JNIEnv* env, const WStringList& list);

// The modified UTF-8 characters of a Java string, released when the holder ends.
class StringUtfChars {
public:
    StringUtfChars(JNIEnv* env, jstring text);
    ~StringUtfChars();
    StringUtfChars(const StringUtfChars&) = delete;
    StringUtfChars& operator=(const StringUtfChars&) = delete;

    const char* get() const { return chars_; }

private:
    JNIEnv* env_;
    jstring text_;
    const char* chars_;
};

// Deletes a local reference when it goes out of scope, so loops and failure paths leak none.
class LocalRef {
public:
    LocalRef(JNIEnv* env, jobject ref) : env_(env), ref_(ref) {}
    ~LocalRef() {
        if (ref_ != nullptr) env_->DeleteLocalRef(ref_);
    }
    LocalRef(const LocalRef&) = delete;
    LocalRef& operator=(const LocalRef&) = delete;

    jobject get() const { return ref_; }
    jobject release() {
        jobject ref = ref_;
        ref_ = nullptr;
        return ref;
    }

private:
    JNIEnv* env_;
    jobject ref_;
};

// A new object of the named class through the constructor of that signature; null on any failure
// (with the VM's exception, if any, still pending).
template <typename... Arguments>
jobject NewJavaObject(JNIEnv* env, const char* className, const char* signature, Arguments... arguments) {
    LocalRef cls(env, env->FindClass(className));
    if (cls.get() == nullptr) return nullptr;
    const jmethodID constructor = env->GetMethodID(static_cast<jclass>(cls.get()), "<init>", signature);
    if (constructor == nullptr) return nullptr;
    return env->NewObject(static_cast<jclass>(cls.get()), constructor, arguments...);
}

// Calls a static void method of the named class; false when the class or the method is missing
// (the VM's exception pending). An exception the method throws stays pending too.
template <typename... Arguments>
bool CallStaticVoid(JNIEnv* env, const char* className, const char* name, const char* signature,
                    Arguments... arguments) {
    LocalRef cls(env, env->FindClass(className));
    if (cls.get() == nullptr) return false;
    const jmethodID method = env->GetStaticMethodID(static_cast<jclass>(cls.get()), name, signature);
    if (method == nullptr) return false;
    env->CallStaticVoidMethod(static_cast<jclass>(cls.get()), method, arguments...);
    return true;
}

}  // namespace tarn
