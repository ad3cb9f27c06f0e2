// sun/launcher/LauncherHelper: how a runtime's own launcher loads the main class, in its three
// launch modes (class, jar, module), including its habit of printing an error and calling
// System.exit(1) instead of returning null. The rules and texts are those of LauncherHelper.java
// (checkAndLoadMain, getMainClassFromJar, loadModuleMainClass) and its launcher.properties.
#include <map>

#include "tests/standin/common/TraceLog.h"
#include "tests/standin/common/Utf.h"
#include "tests/standin/runtime/Lang.h"
#include "tests/standin/runtime/Vm.h"

namespace tarn::standin {
namespace {

constexpr jint kLoadByClassName = 1, kLoadFromJar = 2, kLoadFromModule = 3;

[[noreturn]] void Abort(ThreadRecord& thread, Object* stream, const std::string& message) {
    PrintLine(thread, stream, FromUtf8(message));
    SystemExit(1);
}

std::string Slashed(std::string name) {
    for (char& c : name) c = c == '.' ? '/' : c;
    return name;
}

// The main section of a manifest: "Name: value" lines up to the first empty one; a line that
// starts with a space continues the one before.
std::map<std::string, std::string> MainAttributes(const std::string& manifest) {
    std::map<std::string, std::string> attributes;
    std::string last;
    for (size_t start = 0; start < manifest.size();) {
        size_t end = manifest.find('\n', start);
        if (end == std::string::npos) end = manifest.size();
        std::string line = manifest.substr(start, end - start);
        start = end + 1;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty()) break;
        const size_t colon = line.find(": ");
        if (line[0] == ' ' && !last.empty()) {
            attributes[last] += line.substr(1);
        } else if (colon != std::string::npos) {
            last = line.substr(0, colon);
            attributes[last] = line.substr(colon + 2);
        }
    }
    return attributes;
}

// What the helper applies from a jar's manifest on runtimes that know it, in its order.
void ApplyManifest(ThreadRecord& thread, Object* stream, const std::string& jar, std::map<std::string, std::string>& main) {
    const int feature = TheVm().settings.feature;
    if (feature >= 9 && main.count("Launcher-Agent-Class")) {
        std::string error;
        if (TheVm().classes.Load(Slashed(main["Launcher-Agent-Class"]), error) == nullptr)
            Abort(thread, stream, "error loading java agent in " + jar);
        TraceLine("LauncherHelper", "loadAgent " + main["Launcher-Agent-Class"]);
    }
    for (const char* attribute : {"Add-Exports", "Add-Opens"}) {
        if (feature < 9 || !main.count(attribute)) continue;
        const std::string& value = main[attribute];
        for (size_t start = 0; start < value.size();) {
            const size_t end = std::min(value.find(' ', start), value.size());
            const std::string modulePackage = value.substr(start, end - start);
            const size_t slash = modulePackage.find('/');
            if (slash != std::string::npos && modulePackage.find('/', slash + 1) == std::string::npos) {
                TraceLine("LauncherHelper", std::string(attribute[4] == 'E' ? "addExports" : "addOpens") +
                                                "ToAllUnnamed " + modulePackage);
            }
            start = end + 1;
        }
    }
    if (feature >= 22 && main.count("Enable-Native-Access")) {
        if (main["Enable-Native-Access"] != "ALL-UNNAMED") {
            Abort(thread, stream, "Error: illegal value \"" + main["Enable-Native-Access"] +
                                      "\" for Enable-Native-Access manifest attribute. Only 'ALL-UNNAMED' is allowed");
        }
        TraceLine("LauncherHelper", "addEnableNativeAccessToAllUnnamed");
    }
}

// getMainClassFromJar: the jar's Main-Class, after the rest of its manifest is applied. Its
// Class-Path entries, relative to the jar, join the class path as the class loader takes them.
std::string MainClassOfJar(ThreadRecord& thread, Object* stream, const std::string& jar) {
    const std::wstring path = ToWide(FromUtf8(jar));
    if (!ReadWholeFile(path)) Abort(thread, stream, "Error: An unexpected error occurred while trying to open file " + jar);
    const std::optional<std::string> manifest = ReadStoredEntry(path, "META-INF/MANIFEST.MF");
    if (!manifest) Abort(thread, stream, "manifest not found in " + jar);
    std::map<std::string, std::string> main = MainAttributes(*manifest);
    if (!main.count("Main-Class")) Abort(thread, stream, "no main manifest attribute, in " + jar);
    ApplyManifest(thread, stream, jar, main);
    const std::wstring folder = path.substr(0, path.find_last_of(L"\\/") + 1);
    const std::string& classPath = main["Class-Path"];
    for (size_t start = 0; start < classPath.size();) {
        const size_t end = std::min(classPath.find(' ', start), classPath.size());
        if (end > start) TheVm().classPath.Add(folder + ToWide(FromUtf8(classPath.substr(start, end - start))));
        start = end + 1;
    }
    return main["Main-Class"];
}

// loadModuleMainClass: the module is in the boot layer; its class is named or its ModuleMainClass.
ClassInfo* ModuleMainClass(ThreadRecord& thread, Object* stream, const std::string& what) {
    const std::string moduleName = what.substr(0, what.find('/'));
    std::string className = what.find('/') == std::string::npos ? "" : what.substr(what.find('/') + 1);
    const std::optional<ModuleFolder>& module = TheVm().mainModule;
    if (!module || module->name != moduleName) {
        Throw(thread, "java/lang/InternalError", "Module " + moduleName + " not in boot Layer");
        return nullptr;
    }
    if (className.empty()) className = module->mainClass;
    if (className.empty()) {
        Abort(thread, stream, "module " + moduleName + " does not have a ModuleMainClass attribute, use -m <module>/<main-class>");
    }
    std::string error;
    ClassInfo* cls = ReadWholeFile(module->folder + L"\\" + ToWide(FromUtf8(Slashed(className))) + L".class")
                         ? TheVm().classes.Load(Slashed(className), error)
                         : nullptr;
    if (cls == nullptr) Abort(thread, stream, "Error: Could not find or load main class " + className + " in module " + moduleName);
    return cls;
}

ClassInfo* ClassPathMainClass(ThreadRecord& thread, Object* stream, const std::string& name) {
    std::string formatError;
    ClassInfo* cls = TheVm().classes.Load(Slashed(name), formatError);
    if (cls == nullptr) {
        Abort(thread, stream,
              "Error: Could not find or load main class " + name + "\r\nCaused by: " +
                  (formatError.empty() ? "java.lang.ClassNotFoundException: " + name
                                       : "java.lang.ClassFormatError: " + formatError));
    }
    return cls;
}

Value CheckAndLoadMain(ThreadRecord& thread, Object*, const std::vector<Value>& arguments) {
    Vm& vm = TheVm();
    Object* stream = arguments[0].number != 0 ? vm.err : vm.out;
    const jint mode = static_cast<jint>(arguments[1].number);
    if (arguments[2].object == nullptr) {
        Throw(thread, "java/lang/NullPointerException", nullptr);
        return {};
    }
    const std::string what = ToUtf8(arguments[2].object->text);
    // Runtimes before 9 know the class and jar modes only.
    if (mode < kLoadByClassName || mode > (vm.settings.feature >= 9 ? kLoadFromModule : kLoadFromJar)) {
        Throw(thread, "java/lang/InternalError", std::to_string(mode) + ": Unknown launch mode");
        return {};
    }
    ClassInfo* cls = mode == kLoadFromModule ? ModuleMainClass(thread, stream, what)
                     : mode == kLoadFromJar  ? ClassPathMainClass(thread, stream, MainClassOfJar(thread, stream, what))
                                             : ClassPathMainClass(thread, stream, what);
    if (cls == nullptr) return {};
    if (cls->FindMethod("main", "([Ljava/lang/String;)V", true) == nullptr) {
        Abort(thread, stream,
              "Error: Main method not found in class " + cls->DottedName() +
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
