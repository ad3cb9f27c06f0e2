// JNI: strings, char arrays and object arrays, as far as a launcher builds and reads them.
#include <cstring>

#include "tests/standin/common/Utf.h"
#include "tests/standin/runtime/JniCall.h"
#include "tests/standin/runtime/Lang.h"

namespace tarn::standin {
namespace {

constexpr bool kExceptionSafe = true;

Object* Typed(const JniCall& call, jobject ref, Kind kind, const char* what) {
    Object* object = call.Get(ref);
    if (object == nullptr || object->kind != kind) {
        call.Warn(std::string("not a ") + what + ": " + Describe(object));
        return nullptr;
    }
    return object;
}

// start and length against size, as the region functions check them.
bool InRange(const JniCall& call, jsize start, jsize length, size_t size) {
    if (start < 0 || length < 0 || static_cast<size_t>(start) + static_cast<size_t>(length) > size) {
        Throw(call.Thread(), "java/lang/ArrayIndexOutOfBoundsException",
              "range [" + std::to_string(start) + ", " + std::to_string(start) + " + " + std::to_string(length) +
                  ") out of bounds for length " + std::to_string(size));
        return false;
    }
    return true;
}

jstring JNICALL NewStringUTF(JNIEnv* env, const char* text) {
    JniCall call(env, "NewStringUTF");
    Object* string = text != nullptr ? TheVm().heap.NewString(FromModifiedUtf8(text)) : nullptr;
    call.Trace(Describe(string));
    return static_cast<jstring>(call.Local(string));
}

const char* JNICALL GetStringUTFChars(JNIEnv* env, jstring ref, jboolean* isCopy) {
    JniCall call(env, "GetStringUTFChars");
    const Object* string = Typed(call, ref, Kind::String, "string");
    call.Trace(Describe(string));
    if (string == nullptr) return nullptr;
    const std::string text = ToModifiedUtf8(string->text);
    char* copy = new char[text.size() + 1];
    std::memcpy(copy, text.c_str(), text.size() + 1);
    if (isCopy != nullptr) *isCopy = JNI_TRUE;
    std::lock_guard lock(TheVm().mutex);
    TheVm().utfChars.insert(copy);
    return copy;
}

void JNICALL ReleaseStringUTFChars(JNIEnv* env, jstring ref, const char* chars) {
    JniCall call(env, "ReleaseStringUTFChars", kExceptionSafe);
    call.Trace(Describe(call.Get(ref)));
    std::lock_guard lock(TheVm().mutex);
    if (TheVm().utfChars.erase(chars) == 0) {
        call.Warn("pointer not from GetStringUTFChars, or released twice");
        return;
    }
    delete[] chars;
}

jcharArray JNICALL NewCharArray(JNIEnv* env, jsize length) {
    JniCall call(env, "NewCharArray");
    Object* array = nullptr;
    if (length < 0)
        Throw(call.Thread(), "java/lang/NegativeArraySizeException", std::to_string(length));
    else
        array = TheVm().heap.NewCharArray(std::u16string(length, u'\0'));
    call.Trace(std::to_string(length) + " -> " + Describe(array) + call.Outcome());
    return static_cast<jcharArray>(call.Local(array));
}

void JNICALL SetCharArrayRegion(JNIEnv* env, jcharArray ref, jsize start, jsize length, const jchar* buffer) {
    JniCall call(env, "SetCharArrayRegion");
    Object* array = Typed(call, ref, Kind::CharArray, "char array");
    if (array != nullptr && InRange(call, start, length, array->text.size())) {
        std::memcpy(array->text.data() + start, buffer, length * sizeof(jchar));
    }
    call.Trace(Describe(array) + ", " + std::to_string(start) + ", " + std::to_string(length) + call.Outcome());
}

jobjectArray JNICALL NewObjectArray(JNIEnv* env, jsize length, jclass clazz, jobject initial) {
    JniCall call(env, "NewObjectArray");
    ClassInfo* element = call.ClassOf(clazz);
    Object* first = call.Get(initial);
    Object* array = nullptr;
    if (length < 0)
        Throw(call.Thread(), "java/lang/NegativeArraySizeException", std::to_string(length));
    else if (element != nullptr)
        array = TheVm().heap.NewObjectArray(element, static_cast<size_t>(length), first);
    call.Trace(std::to_string(length) + ", " + (element != nullptr ? element->name : "null") + ", " + Describe(first) +
               " -> " + Describe(array) + call.Outcome());
    return static_cast<jobjectArray>(call.Local(array));
}

void JNICALL SetObjectArrayElement(JNIEnv* env, jobjectArray ref, jsize index, jobject value) {
    JniCall call(env, "SetObjectArrayElement");
    Object* array = Typed(call, ref, Kind::ObjectArray, "object array");
    Object* element = call.Get(value);
    if (array != nullptr && InRange(call, index, 1, array->elements.size())) {
        if (element != nullptr && !element->cls->IsSubclassOf(array->represented)) {
            Throw(call.Thread(), "java/lang/ArrayStoreException", element->cls->DottedName());
        } else {
            array->elements[index] = element;
        }
    }
    call.Trace(Describe(array) + ", " + std::to_string(index) + ", " + Describe(element) + call.Outcome());
}

}  // namespace

void AddStringFunctions(JNINativeInterface_& table) {
    table.NewStringUTF = NewStringUTF;
    table.GetStringUTFChars = GetStringUTFChars;
    table.ReleaseStringUTFChars = ReleaseStringUTFChars;
    table.NewCharArray = NewCharArray;
    table.SetCharArrayRegion = SetCharArrayRegion;
    table.NewObjectArray = NewObjectArray;
    table.SetObjectArrayElement = SetObjectArrayElement;
}

}  // namespace tarn::standin
