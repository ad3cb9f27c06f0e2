#include "tests/standin/runtime/Vm.h"

#include <cctype>
#include <cstring>

#include "tests/standin/common/TraceLog.h"
#include "tests/standin/common/Utf.h"
#include "tests/standin/runtime/Lang.h"

namespace tarn::standin {
namespace {

std::wstring ModulePath() {
    HMODULE module = nullptr;
    GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<const wchar_t*>(&TheVm), &module);
    wchar_t path[MAX_PATH * 2] = {};
    GetModuleFileNameW(module, path, MAX_PATH * 2);
    return path;
}

// home\bin\client\jvm.dll: the runtime's home is three components up.
std::u16string JavaHome() {
    std::wstring path = ModulePath();
    for (int i = 0; i < 3; ++i) {
        const size_t slash = path.rfind(L'\\');
        if (slash == std::wstring::npos) break;
        path.resize(slash);
    }
    return FromWide(path);
}

std::u16string CurrentFolder() {
    wchar_t folder[MAX_PATH * 2] = {};
    GetCurrentDirectoryW(MAX_PATH * 2, folder);
    return FromWide(folder);
}

// The version this runtime stands for: JAVA_VERSION of its release file, as real runtimes carry one.
std::string ReleaseVersion() {
    const std::optional<std::string> release = ReadWholeFile(ToWide(JavaHome()) + L"\\release");
    const size_t at = release ? release->find("JAVA_VERSION=\"") : std::string::npos;
    if (at == std::string::npos) return "17.0.0";
    return release->substr(at + 14, release->find('"', at + 14) - at - 14);
}

int FeatureOf(const std::string& version) {
    const int first = std::atoi(version.c_str());
    return first == 1 ? std::atoi(version.c_str() + version.find('.') + 1) : first;
}

// JAVA_TOOL_OPTIONS, which the VM itself reads before its JNI options (hotspot's arguments.cpp,
// parse_options_environment_variable): a notice on standard error, then words that white space
// separates and quotes group.
std::vector<std::string> ToolOptions() {
    char value[32768];
    const DWORD length = GetEnvironmentVariableA("JAVA_TOOL_OPTIONS", value, sizeof value);
    std::vector<std::string> words;
    if (length == 0 || length >= sizeof value) return words;
    VmMessage(std::string("Picked up JAVA_TOOL_OPTIONS: ") + value);
    for (const char* at = value; *at != '\0';) {
        while (std::isspace(static_cast<unsigned char>(*at))) ++at;
        if (*at == '\0') break;
        std::string word;
        for (; *at != '\0' && !std::isspace(static_cast<unsigned char>(*at)); ++at) {
            if (*at != '"' && *at != '\'') {
                word += *at;
                continue;
            }
            const char* close = std::strchr(at + 1, *at);
            if (close == nullptr) close = at + std::strlen(at);
            word.append(at + 1, close);
            at = *close == '\0' ? close - 1 : close;
        }
        words.push_back(word);
    }
    return words;
}

// The boot layer of a runtime 9 or later: the main module must be found on the module path, or
// the VM ends as a real one does (java.lang.module.Resolver's FindException, which
// System.initPhase2 prints to standard output; then vm_exit_during_initialization aborts the VM).
void ResolveMainModule(Vm& vm) {
    const auto main = vm.properties.find("jdk.module.main");
    if (vm.settings.feature < 9 || main == vm.properties.end()) return;
    vm.mainModule = FindModule(vm.properties["jdk.module.path"], ToUtf8(main->second));
    if (vm.mainModule) {
        vm.classPath.Add(vm.mainModule->folder);
        return;
    }
    const std::string text = "Error occurred during initialization of boot layer\r\n"
                             "java.lang.module.FindException: Module " + ToUtf8(main->second) + " not found\r\n";
    TraceLine("Print", {"stdout", text});
    DWORD written = 0;
    WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    VmAbort("boot layer");
}

void SetProperties(Vm& vm) {
    vm.properties = {
        {"java.home", JavaHome()},          {"java.version", FromUtf8(ReleaseVersion())},   {"java.class.path", u"."},
        {"java.library.path", u""},         {"line.separator", u"\r\n"},    {"user.dir", CurrentFolder()},
    };
    // Option strings arrive in the ANSI code page, as the launcher converts them.
    for (const auto& [name, value] : vm.settings.properties) vm.properties[ToUtf8(FromAnsi(name))] = FromAnsi(value);
}

}  // namespace

Vm& TheVm() {
    static Vm* vm = new Vm;  // never destroyed: threads may still use it while the process ends
    return *vm;
}

// As a real VM on Windows: Ctrl+C is SIGINT (2), closing the console or shutting down is SIGTERM
// (15), and both end the program as System.exit(128 + signal) does; Ctrl+Break asks for a thread
// dump and the program goes on.
static BOOL WINAPI ConsoleEvent(DWORD event) {
    if (event == CTRL_BREAK_EVENT) {
        TraceLine("ConsoleEvent", "break");
        return TRUE;
    }
    if (event != CTRL_C_EVENT && event != CTRL_CLOSE_EVENT && event != CTRL_SHUTDOWN_EVENT) return FALSE;
    TraceLine("ConsoleEvent", std::to_string(event));
    SystemExit(128 + (event == CTRL_C_EVENT ? 2 : 15));
}

jint Vm::Create(const JavaVMInitArgs& arguments, ThreadRecord*& mainThread) {
    std::lock_guard lock(mutex);
    if (state == State::Running) return JNI_EEXIST;
    if (state == State::Destroyed) return JNI_ERR;  // a real VM cannot be created again either
    if (!IsSupportedJniVersion(arguments.version)) return JNI_EVERSION;
    VmSettings parsed;
    parsed.feature = FeatureOf(ReleaseVersion());
    std::vector<std::string> toolWords = ToolOptions();
    std::vector<JavaVMOption> options;
    for (std::string& word : toolWords) options.push_back({word.data(), nullptr});
    options.insert(options.end(), arguments.options, arguments.options + arguments.nOptions);
    JavaVMInitArgs all = arguments;
    all.options = options.data();
    all.nOptions = static_cast<jint>(options.size());
    std::string message;
    if (const jint result = ParseVmOptions(all, parsed, message); result != JNI_OK) {
        VmMessage(message);
        return result;
    }
    settings = parsed;
    if (!settings.createGate.empty()) AwaitTestEvent(settings.createGate);
    if (settings.createResult && *settings.createResult != JNI_OK) {
        TraceLine("JNI_CreateJavaVM", std::string("result chosen by the test property ") + kCreateResultProperty);
        return *settings.createResult;
    }
    if (classes.Boot("java/lang/Object") == nullptr) {
        DefineLangClasses(classes);
        DefineIoClasses(classes);
        DefineLauncherHelper(classes);
    }
    SetProperties(*this);
    classPath.Set(properties["java.class.path"]);
    ResolveMainModule(*this);
    out = NewStandardStream(STD_OUTPUT_HANDLE);
    err = NewStandardStream(STD_ERROR_HANDLE);
    javaVm.functions = InvokeFunctions();
    mainThread = &threads.Attach("main", false);
    SetConsoleCtrlHandler(ConsoleEvent, TRUE);
    state = State::Running;
    return JNI_OK;
}

void AwaitTestEvent(const std::string& name) {
    TraceLine("Await", name);
    const HANDLE event = OpenEventA(SYNCHRONIZE, FALSE, name.c_str());
    const DWORD result = event != nullptr ? WaitForSingleObject(event, 60000) : WAIT_FAILED;
    if (event != nullptr) CloseHandle(event);
    TraceLine("Await returned", result == WAIT_OBJECT_0 ? "set" : "not set");
}

void VmMessage(const std::string& text) {
    TraceLine("VmMessage", text);
    const std::string line = text + "\r\n";
    HANDLE error = GetStdHandle(STD_ERROR_HANDLE);
    DWORD written = 0;
    if (error != nullptr && error != INVALID_HANDLE_VALUE) {
        WriteFile(error, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
    }
}

void RunShutdownHooks() {
    std::vector<std::u16string> hooks;
    {
        std::lock_guard lock(TheVm().mutex);
        hooks.swap(TheVm().shutdownHooks);
    }
    static ThreadRecord hookThread;  // hooks may run on a thread the VM never saw (a console event)
    for (const std::u16string& text : hooks) {
        TraceLine("ShutdownHook", ToUtf8(text));
        PrintLine(hookThread, TheVm().out, text);
    }
}

void SystemExit(jint code) {
    TraceLine("System.exit", std::to_string(code));
    RunShutdownHooks();
    if (const ExitHook hook = TheVm().settings.exitHook) {
        TraceLine("ExitHook", std::to_string(code));
        hook(code);
        TraceLine("ExitHook returned");
    }
    ExitProcess(static_cast<UINT>(code));
}

void VmAbort(const std::string& why) {
    TraceLine("VmAbort", why);
    if (const AbortHook hook = TheVm().settings.abortHook) {
        TraceLine("AbortHook");
        hook();
        TraceLine("AbortHook returned");
    }
    ExitProcess(1);
}

}  // namespace tarn::standin
