// The least a host program can do to run a Java main: load jvm.dll, create the VM on the main
// thread with a class path, call main with no arguments, destroy the VM. The benchmark compares
// the launcher's start-to-main time against this.
//   minimal_host.exe JVM_DLL CLASS_PATH MAIN_CLASS
#include <windows.h>
#include <shellapi.h>

#include <jni.h>

#include <string>

namespace {

std::string Narrow(const wchar_t* text) {
    const int size = WideCharToMultiByte(CP_ACP, 0, text, -1, nullptr, 0, nullptr, nullptr);
    std::string result(size > 0 ? size - 1 : 0, '\0');
    if (size > 1) WideCharToMultiByte(CP_ACP, 0, text, -1, result.data(), size, nullptr, nullptr);
    return result;
}

int RunMain(const wchar_t* jvmPath, const wchar_t* classPath, const wchar_t* mainClass) {
    using CreateJavaVm = jint(JNICALL*)(JavaVM**, void**, void*);
    HMODULE jvm = LoadLibraryW(jvmPath);
    if (jvm == nullptr) return 2;
    const auto create = reinterpret_cast<CreateJavaVm>(GetProcAddress(jvm, "JNI_CreateJavaVM"));
    if (create == nullptr) return 3;
    std::string classPathOption = "-Djava.class.path=" + Narrow(classPath);
    JavaVMOption options[] = {{classPathOption.data(), nullptr}};
    JavaVMInitArgs args{JNI_VERSION_1_2, 1, options, JNI_FALSE};
    JavaVM* vm = nullptr;
    JNIEnv* env = nullptr;
    if (create(&vm, reinterpret_cast<void**>(&env), &args) != JNI_OK) return 4;
    int code = 5;
    jclass klass = env->FindClass(Narrow(mainClass).c_str());
    jmethodID main = klass == nullptr ? nullptr : env->GetStaticMethodID(klass, "main", "([Ljava/lang/String;)V");
    jclass stringClass = main == nullptr ? nullptr : env->FindClass("java/lang/String");
    jobjectArray noArguments = stringClass == nullptr ? nullptr : env->NewObjectArray(0, stringClass, nullptr);
    if (noArguments != nullptr) {
        env->CallStaticVoidMethod(klass, main, noArguments);
        code = env->ExceptionCheck() ? 6 : 0;
    }
    if (env->ExceptionCheck()) env->ExceptionDescribe();
    vm->DestroyJavaVM();
    return code;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    int count = 0;
    wchar_t** words = CommandLineToArgvW(GetCommandLineW(), &count);
    const int code = (words != nullptr && count == 4) ? RunMain(words[1], words[2], words[3]) : 1;
    LocalFree(words);
    return code;
}
