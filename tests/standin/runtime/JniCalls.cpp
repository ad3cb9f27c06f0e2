// JNI: constructing objects and calling methods, in the ... and V (va_list) forms, for the result
// types a launcher uses (void, object, int). The trace names both forms alike
// (CallStaticVoidMethod, NewObject): C++ callers reach the V form through jni.h's inline wrappers.
#include <type_traits>

#include "tests/standin/runtime/JniCall.h"
#include "tests/standin/runtime/Lang.h"

namespace tarn::standin {
namespace {

enum class CallKind { Instance, Static, Constructor };

char ReturnLetter(const MethodInfo& method) {
    const char letter = method.ReturnType();
    return letter == '[' ? 'L' : letter;
}

// Arguments from a va_list: smaller integers arrive promoted to int, float as double.
std::vector<Value> FromList(const JniCall& call, const std::vector<char>& types, va_list list) {
    std::vector<Value> values;
    for (char type : types) {
        Value value;
        switch (type) {
            case 'J':
                value.number = va_arg(list, jlong);
                break;
            case 'F':
            case 'D':
                va_arg(list, double);  // no method of the class library takes one
                break;
            case 'L':
                value.object = call.Get(va_arg(list, jobject));
                break;
            default:
                value.number = va_arg(list, int);
                break;
        }
        values.push_back(value);
    }
    return values;
}

// What -Xcheck:jni checks about the method ID and the object or class it is called on.
void CheckTarget(const JniCall& call, CallKind kind, const MethodInfo& method, const Object* target, char resultType) {
    const std::string what = method.Describe();
    if (kind == CallKind::Instance) {
        if (method.isStatic)
            call.Warn("static method " + what + " called as an instance method");
        else if (target == nullptr)
            call.Warn("null object for " + what);
        else if (!target->cls->IsSubclassOf(method.owner))
            call.Warn(Describe(target) + " has no method " + what);
    } else if (target == nullptr || target->kind != Kind::Class) {
        call.Warn("not a class: " + Describe(target));
    } else if (kind == CallKind::Static) {
        if (!method.isStatic)
            call.Warn("instance method " + what + " called as a static method");
        else if (!target->represented->IsSubclassOf(method.owner))
            call.Warn("class " + target->represented->name + " has no method " + what);
    } else if (method.name != "<init>" || target->represented != method.owner) {
        call.Warn(what + " is not a constructor of " + target->represented->name);
    }
    if (kind != CallKind::Constructor && resultType != 'V' && resultType != ReturnLetter(method)) {
        call.Warn(what + " does not return the type that " + call.Function() + " returns");
    }
}

// What the method runs on: a new instance for a constructor, the target itself otherwise (the
// class for a static method).
Object* Receiver(CallKind kind, Object* target) {
    if (kind != CallKind::Constructor) return target;
    return target != nullptr && target->kind == Kind::Class ? TheVm().heap.New(target->represented) : nullptr;
}

template <typename Reader>
Value CallJava(JNIEnv* env, const char* function, CallKind kind, char resultType, jobject target, jmethodID id,
               Reader read) {
    JniCall call(env, function);
    const MethodInfo* method = call.Method(id);
    Object* object = call.Get(target);
    std::vector<char> types;
    if (method == nullptr || !ParameterTypes(method->signature, types)) {
        call.Trace("not called: no valid method ID");
        return {};
    }
    const std::vector<Value> arguments = read(call, types);
    CheckTarget(call, kind, *method, object, resultType);
    call.Trace(method->Describe() + " " + DescribeArguments(method->signature, arguments) +
               (kind == CallKind::Instance ? " on " + Describe(object) : std::string()));
    ThreadRecord& thread = call.Thread();
    Object* self = Receiver(kind, object);
    Value result;
    if (kind != CallKind::Static && self == nullptr) {
        Throw(thread, "java/lang/NullPointerException", nullptr);
    } else {
        result = Invoke(thread, *method, self, arguments);
    }
    if (kind == CallKind::Constructor) result.object = thread.pending == nullptr ? self : nullptr;
    TraceLine(std::string(function) + " returned",
              DescribeValue(kind == CallKind::Constructor ? 'L' : method->ReturnType(), result) + call.Outcome());
    return result;
}

Value CallWithList(JNIEnv* env, const char* function, CallKind kind, char resultType, jobject target, jmethodID id,
                   va_list list) {
    return CallJava(
        env, function, kind, resultType, target, id,
        [&list](const JniCall& call, const std::vector<char>& types) { return FromList(call, types, list); });
}

template <typename Result>
Result Convert(JNIEnv* env, const Value& value) {
    if constexpr (std::is_void_v<Result>) {
        return;
    } else if constexpr (std::is_same_v<Result, jobject>) {
        return TheVm().refs.NewLocal(*TheVm().threads.FromEnv(env), value.object);
    } else {
        return static_cast<Result>(value.number);
    }
}

#define TARN_CALL_FORMS(Prefix, Name, Type, Letter, Target, Kind)                                               \
    Type JNICALL Prefix##Name##Method(JNIEnv* env, Target target, jmethodID id, ...) {                          \
        va_list list;                                                                                           \
        va_start(list, id);                                                                                     \
        const Value result = CallWithList(env, #Prefix #Name "Method", Kind, Letter, target, id, list);         \
        va_end(list);                                                                                           \
        return Convert<Type>(env, result);                                                                      \
    }                                                                                                           \
    Type JNICALL Prefix##Name##MethodV(JNIEnv* env, Target target, jmethodID id, va_list list) {                \
        return Convert<Type>(env, CallWithList(env, #Prefix #Name "Method", Kind, Letter, target, id, list));   \
    }

#define TARN_CALLS(Name, Type, Letter)                                     \
    TARN_CALL_FORMS(Call, Name, Type, Letter, jobject, CallKind::Instance) \
    TARN_CALL_FORMS(CallStatic, Name, Type, Letter, jclass, CallKind::Static)

TARN_CALLS(Object, jobject, 'L')
TARN_CALLS(Int, jint, 'I')
TARN_CALLS(Void, void, 'V')

jobject JNICALL NewObject(JNIEnv* env, jclass clazz, jmethodID id, ...) {
    va_list list;
    va_start(list, id);
    const Value result = CallWithList(env, "NewObject", CallKind::Constructor, 'L', clazz, id, list);
    va_end(list);
    return Convert<jobject>(env, result);
}

jobject JNICALL NewObjectV(JNIEnv* env, jclass clazz, jmethodID id, va_list list) {
    return Convert<jobject>(env, CallWithList(env, "NewObject", CallKind::Constructor, 'L', clazz, id, list));
}

}  // namespace

#define TARN_SET_CALLS(Name)                                     \
    table.Call##Name##Method = Call##Name##Method;               \
    table.Call##Name##MethodV = Call##Name##MethodV;             \
    table.CallStatic##Name##Method = CallStatic##Name##Method;   \
    table.CallStatic##Name##MethodV = CallStatic##Name##MethodV;

void AddCallFunctions(JNINativeInterface_& table) {
    TARN_SET_CALLS(Object)
    TARN_SET_CALLS(Int)
    TARN_SET_CALLS(Void)
    table.NewObject = NewObject;
    table.NewObjectV = NewObjectV;
}

}  // namespace tarn::standin
