#include "vm/JavaStrings.h"

namespace tarn {

jstring NewJavaString(JNIEnv* env, const WString& text) {
    LocalRef stringClass(env, env->FindClass("java/lang/String"));
    if (stringClass.get() == nullptr) return nullptr;
    const auto klass = static_cast<jclass>(stringClass.get());
    const jmethodID constructor = env->GetMethodID(klass, "<init>", "([C)V");
    if (constructor == nullptr) return nullptr;
    const auto length = static_cast<jsize>(text.size());
    LocalRef array(env, env->NewCharArray(length));
    if (array.get() == nullptr) return nullptr;
    const auto chars = static_cast<jcharArray>(array.get());
    env->SetCharArrayRegion(chars, 0, length, reinterpret_cast<const jchar*>(text.data()));
    if (env->ExceptionCheck()) return nullptr;
    return static_cast<jstring>(env->NewObject(klass, constructor, chars));
}

jobjectArray NewJavaStringArray(JNIEnv* env, const WStringList& list) {
    LocalRef stringClass(env, env->FindClass("java/lang/String"));
    if (stringClass.get() == nullptr) return nullptr;
    const auto count = static_cast<jsize>(list.size());
    LocalRef array(env, env->NewObjectArray(count, static_cast<jclass>(stringClass.get()), nullptr));
    if (array.get() == nullptr) return nullptr;
    const auto strings = static_cast<jobjectArray>(array.get());
    for (jsize i = 0; i < count; ++i) {
        LocalRef element(env, NewJavaString(env, list[i]));
        if (element.get() == nullptr) return nullptr;
        env->SetObjectArrayElement(strings, i, element.get());
        if (env->ExceptionCheck()) return nullptr;
    }
    return static_cast<jobjectArray>(array.release());
}

StringUtfChars::StringUtfChars(JNIEnv* env, jstring text)
    : env_(env), text_(text), chars_(text == nullptr ? nullptr : env->GetStringUTFChars(text, nullptr)) {}

StringUtfChars::~StringUtfChars() {
    if (chars_ != nullptr) env_->ReleaseStringUTFChars(text_, chars_);
}

}  // namespace tarn
