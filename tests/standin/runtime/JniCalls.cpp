// JNI: constructing objects and calling methods, in the ..., V (va_list) and A (jvalue array) forms.
// The trace names all three forms alike (CallStaticVoidMethod, NewObject): C++ callers reach the
// V form through jni.h's inline wrappers, and which form was used does not matter to a test.
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
                value.real = va_arg(list, double);
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

std::vector<Value> FromArray(const JniCall& call, const std::vector<char>& types, const jvalue* array) {
    std::vector<Value> values;
    for (size_t i = 0; i < types.size(); ++i) {
        Value value;
        switch (types[i]) {
            case 'Z':
                value.number = array[i].z;
                break;
            case 'B':
                value.number = array[i].b;
                break;
            case 'C':
                value.number = array[i].c;
                break;
            case 'S':
                value.number = array[i].s;
                break;
            case 'I':
                value.number = array[i].i;
                break;
            case 'J':
                value.number = array[i].j;
                break;
            case 'F':
                value.real = array[i].f;
                break;
            case 'D':
                value.real = array[i].d;
                break;
            default:
                value.object = call.Get(array[i].l);
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

Value CallWithArray(JNIEnv* env, const char* function, CallKind kind, char resultType, jobject target, jmethodID id,
                    const jvalue* array) {
    return CallJava(
        env, function, kind, resultType, target, id,
        [array](const JniCall& call, const std::vector<char>& types) { return FromArray(call, types, array); });
}

template <typename Result>
Result Convert(JNIEnv* env, const Value& value) {
    if constexpr (std::is_void_v<Result>) {
        return;
    } else if constexpr (std::is_same_v<Result, jobject>) {
        return TheVm().refs.NewLocal(*TheVm().threads.FromEnv(env), value.object);
    } else if constexpr (std::is_floating_point_v<Result>) {
        return static_cast<Result>(value.real);
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
    }                                                                                                           \
    Type JNICALL Prefix##Name##MethodA(JNIEnv* env, Target target, jmethodID id, const jvalue* array) {         \
        return Convert<Type>(env, CallWithArray(env, #Prefix #Name "Method", Kind, Letter, target, id, array)); \
    }

#define TARN_CALLS(Name, Type, Letter)                                     \
    TARN_CALL_FORMS(Call, Name, Type, Letter, jobject, CallKind::Instance) \
    TARN_CALL_FORMS(CallStatic, Name, Type, Letter, jclass, CallKind::Static)

TARN_CALLS(Object, jobject, 'L')
TARN_CALLS(Boolean, jboolean, 'Z')
TARN_CALLS(Byte, jbyte, 'B')
TARN_CALLS(Char, jchar, 'C')
TARN_CALLS(Short, jshort, 'S')
TARN_CALLS(Int, jint, 'I')
TARN_CALLS(Long, jlong, 'J')
TARN_CALLS(Float, jfloat, 'F')
TARN_CALLS(Double, jdouble, 'D')
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

jobject JNICALL NewObjectA(JNIEnv* env, jclass clazz, jmethodID id, const jvalue* array) {
    return Convert<jobject>(env, CallWithArray(env, "NewObject", CallKind::Constructor, 'L', clazz, id, array));
}

}  // namespace

#define TARN_SET_CALLS(Name)                                     \
    table.Call##Name##Method = Call##Name##Method;               \
    table.Call##Name##MethodV = Call##Name##MethodV;             \
    table.Call##Name##MethodA = Call##Name##MethodA;             \
    table.CallStatic##Name##Method = CallStatic##Name##Method;   \
    table.CallStatic##Name##MethodV = CallStatic##Name##MethodV; \
    table.CallStatic##Name##MethodA = CallStatic##Name##MethodA;

void AddCallFunctions(JNINativeInterface_& table) {
    TARN_SET_CALLS(Object)
    TARN_SET_CALLS(Boolean)
    TARN_SET_CALLS(Byte)
    TARN_SET_CALLS(Char)
    TARN_SET_CALLS(Short)
    TARN_SET_CALLS(Int)
    TARN_SET_CALLS(Long)
    TARN_SET_CALLS(Float)
    TARN_SET_CALLS(Double)
    TARN_SET_CALLS(Void)
    table.NewObject = NewObject;
    table.NewObjectV = NewObjectV;
    table.NewObjectA = NewObjectA;
}

}  // namespace tarn::standin
