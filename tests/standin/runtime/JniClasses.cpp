// JNI: finding classes and methods.
#include "tests/standin/common/Utf.h"
#include "tests/standin/runtime/JniCall.h"
#include "tests/standin/runtime/Lang.h"

namespace tarn::standin {
namespace {

std::string NameText(const char* modifiedUtf8) { return ToUtf8(FromModifiedUtf8(modifiedUtf8)); }

jclass JNICALL FindClass(JNIEnv* env, const char* name) {
    JniCall call(env, "FindClass");
    ClassInfo* cls = nullptr;
    if (name == nullptr) {
        Throw(call.Thread(), "java/lang/NoClassDefFoundError", nullptr);
    } else {
        std::string formatError;
        cls = TheVm().classes.Load(NameText(name), formatError);
        if (cls == nullptr && !formatError.empty())
            Throw(call.Thread(), "java/lang/ClassFormatError", formatError);
        else if (cls == nullptr)
            Throw(call.Thread(), "java/lang/NoClassDefFoundError", NameText(name));
    }
    Object* result = cls != nullptr ? cls->mirror : nullptr;
    call.Trace(QuoteName(name) + " -> " + Describe(result) + call.Outcome());
    return static_cast<jclass>(call.Local(result));
}

jclass JNICALL GetObjectClass(JNIEnv* env, jobject object) {
    JniCall call(env, "GetObjectClass");
    const Object* target = call.Get(object);
    if (target == nullptr) call.Warn("null object");
    Object* result = target != nullptr ? target->cls->mirror : nullptr;
    call.Trace(Describe(target) + " -> " + Describe(result));
    return static_cast<jclass>(call.Local(result));
}

jmethodID FindMethod(JNIEnv* env, jclass clazz, const char* name, const char* signature, bool isStatic) {
    JniCall call(env, isStatic ? "GetStaticMethodID" : "GetMethodID");
    const ClassInfo* cls = call.ClassOf(clazz);
    const MethodInfo* method = nullptr;
    if (name == nullptr || signature == nullptr) {
        Throw(call.Thread(), "java/lang/NullPointerException", nullptr);
    } else if (cls != nullptr) {
        method = cls->FindMethod(NameText(name), NameText(signature), isStatic);
        if (method == nullptr) {
            Throw(call.Thread(), "java/lang/NoSuchMethodError",
                  (isStatic ? "static L" : "L") + cls->name + ";." + NameText(name) + NameText(signature));
        }
    }
    call.Trace((cls != nullptr ? Describe(cls->mirror) : "null") + ", " + QuoteName(name) + ", " +
               QuoteName(signature) + " -> " + (method != nullptr ? method->Describe() : "null") + call.Outcome());
    return call.MethodId(method);
}

jmethodID JNICALL GetMethodID(JNIEnv* env, jclass clazz, const char* name, const char* signature) {
    return FindMethod(env, clazz, name, signature, false);
}

jmethodID JNICALL GetStaticMethodID(JNIEnv* env, jclass clazz, const char* name, const char* signature) {
    return FindMethod(env, clazz, name, signature, true);
}

}  // namespace

// Only the runtime's own classes; never one of the class path, and never an exception.
jclass FindClassFromBootLoader(JNIEnv* env, const char* name) {
    JniCall call(env, "JVM_FindClassFromBootLoader");
    const ClassInfo* cls = name != nullptr ? TheVm().classes.Boot(NameText(name)) : nullptr;
    Object* result = cls != nullptr ? cls->mirror : nullptr;
    call.Trace(QuoteName(name) + " -> " + Describe(result));
    return static_cast<jclass>(call.Local(result));
}

void AddClassFunctions(JNINativeInterface_& table) {
    table.FindClass = FindClass;
    table.GetObjectClass = GetObjectClass;
    table.GetMethodID = GetMethodID;
    table.GetStaticMethodID = GetStaticMethodID;
}

}  // namespace tarn::standin
