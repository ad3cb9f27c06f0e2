// sun/launcher/LauncherHelper: how a runtime's own launcher loads the main class, including its
// habit of printing an error and calling System.exit(1) instead of returning null.
#include "tests/standin/common/Utf.h"
#include "tests/standin/runtime/Lang.h"
#include "tests/standin/runtime/Vm.h"

namespace tarn::standin {
namespace {

constexpr jint kLoadByClassName = 1;
constexpr jint kLoadFromJar = 2;

[[noreturn]] void Abort(ThreadRecord& thread, Object* stream, const std::string& message) {
    PrintLine(thread, stream, FromUtf8(message));
    SystemExit(1);
}

std::string ManifestMainClass(const std::string& manifest) {
    size_t start = 0;
    while (start < manifest.size()) {
        size_t end = manifest.find('\n', start);
        if (end == std::string::npos) end = manifest.size();
        std::string line = manifest.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.rfind("Main-Class:", 0) == 0) {
            const size_t value = line.find_first_not_of(' ', 11);
            return value == std::string::npos ? std::string() : line.substr(value);
        }
        start = end + 1;
    }
    return {};
}

Value CheckAndLoadMain(ThreadRecord& thread, Object*, const std::vector<Value>& arguments) {
    Vm& vm = TheVm();
    Object* stream = arguments[0].number != 0 ? vm.err : vm.out;
    const jint mode = static_cast<jint>(arguments[1].number);
    if (arguments[2].object == nullptr) {
        Throw(thread, "java/lang/NullPointerException", nullptr);
        return {};
    }
    std::string name = ToUtf8(arguments[2].object->text);
    if (mode == kLoadFromJar) {
        const std::optional<std::string> manifest =
            vm.classPath.ReadFromJar(ToWide(arguments[2].object->text), "META-INF/MANIFEST.MF");
        const std::string mainClass = manifest ? ManifestMainClass(*manifest) : std::string();
        if (mainClass.empty()) Abort(thread, stream, "Error: no main manifest attribute, in " + name);
        name = mainClass;
    } else if (mode != kLoadByClassName) {
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
