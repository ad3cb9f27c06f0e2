// The java.lang classes of the class library, with the members a launcher calls.
#include "tests/standin/runtime/Lang.h"

#include "tests/standin/common/TraceLog.h"
#include "tests/standin/common/Utf.h"
#include "tests/standin/runtime/Vm.h"

namespace tarn::standin {
namespace {

using Arguments = const std::vector<Value>&;

Value StringFromChars(ThreadRecord& thread, Object* self, Arguments arguments) {
    if (arguments[0].object == nullptr)
        Throw(thread, "java/lang/NullPointerException", nullptr);
    else
        self->text = arguments[0].object->text;
    return {};
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

void DefineThrowables(Classes& classes) {
    static const char* const kThrowables[][2] = {
        {"java/lang/Throwable", "java/lang/Object"},
        {"java/lang/Exception", "java/lang/Throwable"},
        {"java/lang/Error", "java/lang/Throwable"},
        {"java/lang/RuntimeException", "java/lang/Exception"},
        {"java/lang/ReflectiveOperationException", "java/lang/Exception"},
        {"java/lang/ClassNotFoundException", "java/lang/ReflectiveOperationException"},
        {"java/io/IOException", "java/lang/Exception"},
        {"java/io/FileNotFoundException", "java/io/IOException"},
        {"java/lang/IllegalArgumentException", "java/lang/RuntimeException"},
        {"java/lang/IllegalStateException", "java/lang/RuntimeException"},
        {"java/lang/NullPointerException", "java/lang/RuntimeException"},
        {"java/lang/ArrayStoreException", "java/lang/RuntimeException"},
        {"java/lang/NegativeArraySizeException", "java/lang/RuntimeException"},
        {"java/lang/IndexOutOfBoundsException", "java/lang/RuntimeException"},
        {"java/lang/ArrayIndexOutOfBoundsException", "java/lang/IndexOutOfBoundsException"},
        {"java/lang/LinkageError", "java/lang/Error"},
        {"java/lang/NoClassDefFoundError", "java/lang/LinkageError"},
        {"java/lang/ClassFormatError", "java/lang/LinkageError"},
        {"java/lang/IncompatibleClassChangeError", "java/lang/LinkageError"},
        {"java/lang/NoSuchMethodError", "java/lang/IncompatibleClassChangeError"},
    };
    for (const auto& [name, super] : kThrowables) {
        ClassInfo* cls = classes.DefineBoot(name, super, Kind::Throwable);
        classes.AddNative(cls, "<init>", "()V", false, ThrowableInit);
        classes.AddNative(cls, "<init>", "(Ljava/lang/String;)V", false, ThrowableInit);
    }
    classes.AddNative(classes.Boot("java/lang/Throwable"), "printStackTrace", "(Ljava/io/PrintStream;)V", false,
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
    ClassInfo* string = classes.DefineBoot("java/lang/String", "java/lang/Object", Kind::String);
    classes.AddNative(string, "<init>", "([C)V", false, StringFromChars);
    classes.DefineBoot("[C", "java/lang/Object", Kind::CharArray);
    DefineSystem(classes);
    DefineThrowables(classes);
}

}  // namespace tarn::standin
