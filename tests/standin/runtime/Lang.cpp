// The java.lang classes of the class library.
#include "tests/standin/runtime/Lang.h"

#include "tests/standin/common/TraceLog.h"
#include "tests/standin/common/Utf.h"
#include "tests/standin/runtime/Vm.h"

namespace tarn::standin {
namespace {

using Arguments = const std::vector<Value>&;

Value ObjectValue(Object* object) {
    Value value;
    value.object = object;
    return value;
}

Value Number(jlong number) {
    Value value;
    value.number = number;
    return value;
}

std::u16string Text(const std::string& ascii) { return std::u16string(ascii.begin(), ascii.end()); }

Value StringFromChars(ThreadRecord& thread, Object* self, Arguments arguments) {
    if (arguments[0].object == nullptr)
        Throw(thread, "java/lang/NullPointerException", nullptr);
    else
        self->text = arguments[0].object->text;
    return {};
}

Value GetProperty(ThreadRecord& thread, Object*, Arguments arguments) {
    if (arguments[0].object == nullptr) {
        Throw(thread, "java/lang/NullPointerException", "key can't be null");
        return {};
    }
    std::lock_guard lock(TheVm().mutex);
    const auto found = TheVm().properties.find(ToUtf8(arguments[0].object->text));
    return ObjectValue(found == TheVm().properties.end() ? nullptr : TheVm().heap.NewString(found->second));
}

Value GetEnv(ThreadRecord& thread, Object*, Arguments arguments) {
    if (arguments[0].object == nullptr) {
        Throw(thread, "java/lang/NullPointerException", nullptr);
        return {};
    }
    const std::wstring name = ToWide(arguments[0].object->text);
    const DWORD size = GetEnvironmentVariableW(name.c_str(), nullptr, 0);
    if (size == 0) return {};
    std::wstring value(size, L'\0');
    value.resize(GetEnvironmentVariableW(name.c_str(), value.data(), size));
    return ObjectValue(TheVm().heap.NewString(FromWide(value)));
}

Value SetStream(Object*& stream, const char* which, Object* printStream) {
    TraceLine(which, StreamName(printStream));
    std::lock_guard lock(TheVm().mutex);
    stream = printStream;
    return {};
}

Value ThrowableInit(ThreadRecord&, Object* self, Arguments arguments) {
    self->hasMessage = !arguments.empty() && arguments[0].object != nullptr;
    if (self->hasMessage) self->text = arguments[0].object->text;
    return {};
}

Value ThrowableMessage(ThreadRecord&, Object* self, Arguments) {
    return ObjectValue(self->hasMessage ? TheVm().heap.NewString(self->text) : nullptr);
}

void DefineThrowables(Classes& classes) {
    static const char* const kThrowables[][2] = {
        {"java/lang/Throwable", "java/lang/Object"},
        {"java/lang/Exception", "java/lang/Throwable"},
        {"java/lang/Error", "java/lang/Throwable"},
        {"java/lang/RuntimeException", "java/lang/Exception"},
        {"java/lang/ReflectiveOperationException", "java/lang/Exception"},
        {"java/lang/ClassNotFoundException", "java/lang/ReflectiveOperationException"},
        {"java/lang/InterruptedException", "java/lang/Exception"},
        {"java/io/IOException", "java/lang/Exception"},
        {"java/io/FileNotFoundException", "java/io/IOException"},
        {"java/lang/IllegalArgumentException", "java/lang/RuntimeException"},
        {"java/lang/IllegalStateException", "java/lang/RuntimeException"},
        {"java/lang/NullPointerException", "java/lang/RuntimeException"},
        {"java/lang/ClassCastException", "java/lang/RuntimeException"},
        {"java/lang/ArithmeticException", "java/lang/RuntimeException"},
        {"java/lang/ArrayStoreException", "java/lang/RuntimeException"},
        {"java/lang/NegativeArraySizeException", "java/lang/RuntimeException"},
        {"java/lang/UnsupportedOperationException", "java/lang/RuntimeException"},
        {"java/lang/IndexOutOfBoundsException", "java/lang/RuntimeException"},
        {"java/lang/ArrayIndexOutOfBoundsException", "java/lang/IndexOutOfBoundsException"},
        {"java/lang/StringIndexOutOfBoundsException", "java/lang/IndexOutOfBoundsException"},
        {"java/lang/LinkageError", "java/lang/Error"},
        {"java/lang/NoClassDefFoundError", "java/lang/LinkageError"},
        {"java/lang/ClassFormatError", "java/lang/LinkageError"},
        {"java/lang/IncompatibleClassChangeError", "java/lang/LinkageError"},
        {"java/lang/NoSuchMethodError", "java/lang/IncompatibleClassChangeError"},
        {"java/lang/NoSuchFieldError", "java/lang/IncompatibleClassChangeError"},
        {"java/lang/VirtualMachineError", "java/lang/Error"},
        {"java/lang/OutOfMemoryError", "java/lang/VirtualMachineError"},
        {"java/lang/StackOverflowError", "java/lang/VirtualMachineError"},
    };
    for (const auto& [name, super] : kThrowables) {
        ClassInfo* cls = classes.DefineBoot(name, super, Kind::Throwable);
        classes.AddNative(cls, "<init>", "()V", false, ThrowableInit);
        classes.AddNative(cls, "<init>", "(Ljava/lang/String;)V", false, ThrowableInit);
    }
    ClassInfo* throwable = classes.Boot("java/lang/Throwable");
    classes.AddNative(throwable, "getMessage", "()Ljava/lang/String;", false, ThrowableMessage);
    classes.AddNative(throwable, "getLocalizedMessage", "()Ljava/lang/String;", false, ThrowableMessage);
    classes.AddNative(throwable, "toString", "()Ljava/lang/String;", false, [](ThreadRecord&, Object* self, Arguments) {
        return ObjectValue(TheVm().heap.NewString(ThrowableText(self)));
    });
    classes.AddNative(throwable, "printStackTrace", "()V", false, [](ThreadRecord& thread, Object* self, Arguments) {
        Print(thread, TheVm().err, StackTraceText(self));
        return Value{};
    });
    classes.AddNative(throwable, "printStackTrace", "(Ljava/io/PrintStream;)V", false,
                      [](ThreadRecord& thread, Object* self, Arguments arguments) {
                          Print(thread, arguments[0].object, StackTraceText(self));
                          return Value{};
                      });
}

void DefineSystem(Classes& classes) {
    ClassInfo* system = classes.DefineBoot("java/lang/System", "java/lang/Object", Kind::Plain);
    classes.AddNative(system, "exit", "(I)V", true, [](ThreadRecord&, Object*, Arguments arguments) -> Value {
        SystemExit(static_cast<jint>(arguments[0].number));
    });
    classes.AddNative(system, "setOut", "(Ljava/io/PrintStream;)V", true,
                      [](ThreadRecord&, Object*, Arguments arguments) {
                          return SetStream(TheVm().out, "System.setOut", arguments[0].object);
                      });
    classes.AddNative(system, "setErr", "(Ljava/io/PrintStream;)V", true,
                      [](ThreadRecord&, Object*, Arguments arguments) {
                          return SetStream(TheVm().err, "System.setErr", arguments[0].object);
                      });
    classes.AddNative(system, "getProperty", "(Ljava/lang/String;)Ljava/lang/String;", true, GetProperty);
    classes.AddNative(system, "getenv", "(Ljava/lang/String;)Ljava/lang/String;", true, GetEnv);
}

}  // namespace

void Throw(ThreadRecord& thread, const std::string& className, const std::u16string* message) {
    thread.pending = TheVm().heap.NewThrowable(TheVm().classes.ThrowableClass(className), message);
}

void Throw(ThreadRecord& thread, const std::string& className, const std::string& message) {
    const std::u16string text = FromUtf8(message);
    Throw(thread, className, &text);
}

std::u16string ThrowableText(const Object* throwable) {
    std::u16string text = FromUtf8(throwable->cls->DottedName());
    if (throwable->hasMessage) text += u": " + throwable->text;
    return text;
}

std::u16string StackTraceText(const Object* throwable) {
    std::u16string text = ThrowableText(throwable) + u"\r\n";
    for (const std::string& frame : throwable->frames) text += u"\tat " + FromUtf8(frame) + u"\r\n";
    return text;
}

void PrintUncaught(ThreadRecord& thread) {
    Object* exception = thread.pending;
    thread.pending = nullptr;
    Print(thread, TheVm().err, u"Exception in thread \"" + FromUtf8(thread.name) + u"\" " + StackTraceText(exception));
    thread.pending = nullptr;  // a missing System.err is not another exception to report
}

void DefineLangClasses(Classes& classes) {
    ClassInfo* object = classes.DefineBoot("java/lang/Object", "", Kind::Plain);
    ClassInfo* classClass = classes.DefineBoot("java/lang/Class", "java/lang/Object", Kind::Class);
    object->mirror->cls = classClass;
    classes.AddNative(object, "<init>", "()V", false, [](ThreadRecord&, Object*, Arguments) { return Value{}; });
    classes.AddNative(object, "hashCode", "()I", false,
                      [](ThreadRecord&, Object* self, Arguments) { return Number(self->id); });
    classes.AddNative(object, "getClass", "()Ljava/lang/Class;", false,
                      [](ThreadRecord&, Object* self, Arguments) { return ObjectValue(self->cls->mirror); });
    classes.AddNative(object, "toString", "()Ljava/lang/String;", false, [](ThreadRecord&, Object* self, Arguments) {
        char id[16];
        std::snprintf(id, sizeof id, "@%x", self->id);
        return ObjectValue(TheVm().heap.NewString(Text(self->cls->DottedName() + id)));
    });
    classes.AddNative(classClass, "getName", "()Ljava/lang/String;", false, [](ThreadRecord&, Object* self, Arguments) {
        return ObjectValue(TheVm().heap.NewString(FromUtf8(self->represented->DottedName())));
    });
    ClassInfo* string = classes.DefineBoot("java/lang/String", "java/lang/Object", Kind::String);
    classes.AddNative(string, "<init>", "()V", false, [](ThreadRecord&, Object*, Arguments) { return Value{}; });
    classes.AddNative(string, "<init>", "([C)V", false, StringFromChars);
    classes.AddNative(string, "length", "()I", false, [](ThreadRecord&, Object* self, Arguments) {
        return Number(static_cast<jlong>(self->text.size()));
    });
    classes.AddNative(string, "toString", "()Ljava/lang/String;", false,
                      [](ThreadRecord&, Object* self, Arguments) { return ObjectValue(self); });
    classes.DefineBoot("[C", "java/lang/Object", Kind::CharArray);
    DefineSystem(classes);
    DefineThrowables(classes);
}

}  // namespace tarn::standin
