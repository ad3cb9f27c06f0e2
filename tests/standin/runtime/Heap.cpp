#include "tests/standin/runtime/Vm.h"

namespace tarn::standin {

Object* Heap::New(ClassInfo* cls) {
    std::lock_guard lock(TheVm().mutex);
    auto object = std::make_unique<Object>();
    object->cls = cls;
    // Only the mirror of java/lang/Object comes before its class exists; DefineLangClasses mends it.
    object->kind = cls != nullptr ? cls->instanceKind : Kind::Class;
    object->id = nextId_++;
    objects_.push_back(std::move(object));
    return objects_.back().get();
}

Object* Heap::NewString(std::u16string text) {
    Object* string = New(TheVm().classes.Boot("java/lang/String"));
    string->text = std::move(text);
    return string;
}

Object* Heap::NewCharArray(std::u16string units) {
    Object* array = New(TheVm().classes.Boot("[C"));
    array->text = std::move(units);
    return array;
}

Object* Heap::NewObjectArray(ClassInfo* element, size_t length, Object* initial) {
    Object* array = New(TheVm().classes.ArrayClass(element));
    array->represented = element;
    array->elements.assign(length, initial);
    return array;
}

Object* Heap::NewThrowable(ClassInfo* cls, const std::u16string* message) {
    Object* throwable = New(cls);
    throwable->hasMessage = message != nullptr;
    if (message != nullptr) throwable->text = *message;
    return throwable;
}

}  // namespace tarn::standin
