// JNI: strings, char arrays and object arrays.
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

jstring JNICALL NewString(JNIEnv* env, const jchar* units, jsize length) {
    JniCall call(env, "NewString");
    Object* string = TheVm().heap.NewString(std::u16string(reinterpret_cast<const char16_t*>(units), length));
    call.Trace(Describe(string));
    return static_cast<jstring>(call.Local(string));
}

jstring JNICALL NewStringUTF(JNIEnv* env, const char* text) {
    JniCall call(env, "NewStringUTF");
    Object* string = text != nullptr ? TheVm().heap.NewString(FromModifiedUtf8(text)) : nullptr;
    call.Trace(Describe(string));
    return static_cast<jstring>(call.Local(string));
}

jsize JNICALL GetStringLength(JNIEnv* env, jstring ref) {
    JniCall call(env, "GetStringLength");
    const Object* string = Typed(call, ref, Kind::String, "string");
    const jsize length = string != nullptr ? static_cast<jsize>(string->text.size()) : 0;
    call.Trace(Describe(string) + " -> " + std::to_string(length));
    return length;
}

jsize JNICALL GetStringUTFLength(JNIEnv* env, jstring ref) {
    JniCall call(env, "GetStringUTFLength");
    const Object* string = Typed(call, ref, Kind::String, "string");
    const jsize length = string != nullptr ? static_cast<jsize>(ToModifiedUtf8(string->text).size()) : 0;
    call.Trace(Describe(string) + " -> " + std::to_string(length));
    return length;
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

const jchar* JNICALL GetStringChars(JNIEnv* env, jstring ref, jboolean* isCopy) {
    JniCall call(env, "GetStringChars");
    const Object* string = Typed(call, ref, Kind::String, "string");
    call.Trace(Describe(string));
    if (string == nullptr) return nullptr;
    auto* copy = new jchar[string->text.size() + 1];
    std::memcpy(copy, string->text.c_str(), (string->text.size() + 1) * sizeof(jchar));
    if (isCopy != nullptr) *isCopy = JNI_TRUE;
    std::lock_guard lock(TheVm().mutex);
    TheVm().stringChars.insert(copy);
    return copy;
}

void JNICALL ReleaseStringChars(JNIEnv* env, jstring ref, const jchar* chars) {
    JniCall call(env, "ReleaseStringChars", kExceptionSafe);
    call.Trace(Describe(call.Get(ref)));
    std::lock_guard lock(TheVm().mutex);
    if (TheVm().stringChars.erase(chars) == 0) {
        call.Warn("pointer not from GetStringChars, or released twice");
        return;
    }
    delete[] chars;
}

void JNICALL GetStringRegion(JNIEnv* env, jstring ref, jsize start, jsize length, jchar* buffer) {
    JniCall call(env, "GetStringRegion");
    const Object* string = Typed(call, ref, Kind::String, "string");
    call.Trace(Describe(string) + ", " + std::to_string(start) + ", " + std::to_string(length));
    if (string != nullptr && InRange(call, start, length, string->text.size())) {
        std::memcpy(buffer, string->text.data() + start, length * sizeof(jchar));
    }
}

void JNICALL GetStringUTFRegion(JNIEnv* env, jstring ref, jsize start, jsize length, char* buffer) {
    JniCall call(env, "GetStringUTFRegion");
    const Object* string = Typed(call, ref, Kind::String, "string");
    call.Trace(Describe(string) + ", " + std::to_string(start) + ", " + std::to_string(length));
    if (string != nullptr && InRange(call, start, length, string->text.size())) {
        const std::string text = ToModifiedUtf8(string->text.substr(start, length));
        std::memcpy(buffer, text.c_str(), text.size() + 1);
    }
}

jsize JNICALL GetArrayLength(JNIEnv* env, jarray ref) {
    JniCall call(env, "GetArrayLength");
    const Object* array = call.Get(ref);
    jsize length = 0;
    if (array != nullptr && array->kind == Kind::ObjectArray)
        length = static_cast<jsize>(array->elements.size());
    else if (array != nullptr && array->kind == Kind::CharArray)
        length = static_cast<jsize>(array->text.size());
    else
        call.Warn("not an array: " + Describe(array));
    call.Trace(Describe(array) + " -> " + std::to_string(length));
    return length;
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

void JNICALL GetCharArrayRegion(JNIEnv* env, jcharArray ref, jsize start, jsize length, jchar* buffer) {
    JniCall call(env, "GetCharArrayRegion");
    const Object* array = Typed(call, ref, Kind::CharArray, "char array");
    if (array != nullptr && InRange(call, start, length, array->text.size())) {
        std::memcpy(buffer, array->text.data() + start, length * sizeof(jchar));
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

jobject JNICALL GetObjectArrayElement(JNIEnv* env, jobjectArray ref, jsize index) {
    JniCall call(env, "GetObjectArrayElement");
    const Object* array = Typed(call, ref, Kind::ObjectArray, "object array");
    Object* element = nullptr;
    if (array != nullptr && InRange(call, index, 1, array->elements.size())) element = array->elements[index];
    call.Trace(Describe(array) + ", " + std::to_string(index) + " -> " + Describe(element) + call.Outcome());
    return call.Local(element);
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
    table.NewString = NewString;
    table.NewStringUTF = NewStringUTF;
    table.GetStringLength = GetStringLength;
    table.GetStringUTFLength = GetStringUTFLength;
    table.GetStringUTFChars = GetStringUTFChars;
    table.ReleaseStringUTFChars = ReleaseStringUTFChars;
    table.GetStringChars = GetStringChars;
    table.ReleaseStringChars = ReleaseStringChars;
    table.GetStringRegion = GetStringRegion;
    table.GetStringUTFRegion = GetStringUTFRegion;
    table.GetArrayLength = GetArrayLength;
    table.NewCharArray = NewCharArray;
    table.SetCharArrayRegion = SetCharArrayRegion;
    table.GetCharArrayRegion = GetCharArrayRegion;
    table.NewObjectArray = NewObjectArray;
    table.GetObjectArrayElement = GetObjectArrayElement;
    table.SetObjectArrayElement = SetObjectArrayElement;
}

}  // namespace tarn::standin
