// sun/launcher/LauncherHelper: how a runtime's own launcher loads the main class, including its
// habit of printing an error and calling System.exit(1) instead of returning null.
#include "tests/standin/common/Utf.h"
#include "tests/standin/runtime/Lang.h"
#include "tests/standin/runtime/Vm.h"

namespace tarn::standin {
namespace {

constexpr jint kLoadByClassName = 1;  // the jar mode (2) is one this runtime lacks

[[noreturn]] void Abort(ThreadRecord& thread, Object* stream, const std::string& message) {
    PrintLine(thread, stream, FromUtf8(message));
    SystemExit(1);
}

Value CheckAndLoadMain(ThreadRecord& thread, Object*, const std::vector<Value>& arguments) {
    Vm& vm = TheVm();
    Object* stream = arguments[0].number != 0 ? vm.err : vm.out;
    const jint mode = static_cast<jint>(arguments[1].number);
    if (arguments[2].object == nullptr) {
        Throw(thread, "java/lang/NullPointerException", nullptr);
        return {};
    }
    const std::string name = ToUtf8(arguments[2].object->text);
    if (mode != kLoadByClassName) {
        Abort(thread, stream, "Error: unsupported launch mode " + std::to_string(mode));
    }
    std::string slashed = name;
    for (char& c : slashed) {
        if (c == '.') c = '/';
    }
    std::string formatError;
    ClassInfo* cls = vm.classes.Load(slashed, formatError);
    if (cls == nullptr) {
        Abort(thread, stream,
              "Error: Could not find or load main class " + name + "\r\nCaused by: " +
                  (formatError.empty() ? "java.lang.ClassNotFoundException: " + name
                                       : "java.lang.ClassFormatError: " + formatError));
    }
    if (cls->FindMethod("main", "([Ljava/lang/String;)V", true) == nullptr) {
        Abort(thread, stream,
              "Error: Main method not found in class " + name +
                  ", please define the main method as:\r\n   public static void main(String[] args)\r\n"
                  "or a JavaFX application class must extend javafx.application.Application");
    }
    Value value;
    value.object = cls->mirror;
    return value;
}

}  // namespace

void DefineLauncherHelper(Classes& classes) {
    ClassInfo* helper = classes.DefineBoot("sun/launcher/LauncherHelper", "java/lang/Object", Kind::Plain);
    classes.AddNative(helper, "checkAndLoadMain", "(ZILjava/lang/String;)Ljava/lang/Class;", true, CheckAndLoadMain);
}

}  // namespace tarn::standin
