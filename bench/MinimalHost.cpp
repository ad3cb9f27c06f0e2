// The yardstick of the start-up benchmark: the least a host must do to run a Java main the way the
// launcher runs it. The main thread loads jvm.dll; a thread of its own creates the VM, calls main
// and detaches; the main thread then destroys the VM. It imports the same system DLLs as the
// launcher, so that the comparison leaves only the launcher's own work.
//   minimal_host.exe JVM_DLL CLASS_PATH MAIN_CLASS   (each a single word, no quotes)
#include <windows.h>

#include <jni.h>

#include <string>
#include <vector>

namespace {

using CreateJavaVm = jint(JNICALL*)(JavaVM**, void**, void*);

struct Host {
    CreateJavaVm create = nullptr;
    std::string classPathOption;
    std::string mainClass;
    JavaVM* vm = nullptr;
    int code = 5;
};

std::string Narrow(const std::wstring& text) {
    const int size = WideCharToMultiByte(CP_ACP, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string result(size > 0 ? size - 1 : 0, '\0');
    if (size > 1) WideCharToMultiByte(CP_ACP, 0, text.c_str(), -1, result.data(), size, nullptr, nullptr);
    return result;
}

DWORD WINAPI VmThread(void* parameter) {
    Host& host = *static_cast<Host*>(parameter);
    JavaVMOption options[] = {{host.classPathOption.data(), nullptr}};
    JavaVMInitArgs args{JNI_VERSION_1_2, 1, options, JNI_FALSE};
    JNIEnv* env = nullptr;
    if (host.create(&host.vm, reinterpret_cast<void**>(&env), &args) != JNI_OK) return 4;
    jclass klass = env->FindClass(host.mainClass.c_str());
    jmethodID main = klass == nullptr ? nullptr : env->GetStaticMethodID(klass, "main", "([Ljava/lang/String;)V");
    jclass stringClass = main == nullptr ? nullptr : env->FindClass("java/lang/String");
    jobjectArray noArguments = stringClass == nullptr ? nullptr : env->NewObjectArray(0, stringClass, nullptr);
    if (noArguments != nullptr) {
        env->CallStaticVoidMethod(klass, main, noArguments);
        host.code = env->ExceptionCheck() ? 6 : 0;
    }
    if (env->ExceptionCheck()) env->ExceptionDescribe();
    host.vm->DetachCurrentThread();
    return 0;
}

// The launcher's imports, one function of each DLL, so that the loader maps the same set
// (tools/bench.sh prints both import lists). Volatile, so that the references stay.
bool ImportTheLaunchersDlls() {
    static const void* volatile functions[] = {reinterpret_cast<const void*>(&RegCloseKey),
                                               reinterpret_cast<const void*>(&MessageBoxW),
                                               reinterpret_cast<const void*>(&GetStockObject)};
    bool all = true;
    for (const void* volatile& function : functions) all = all && function != nullptr;
    return all;
}

std::vector<std::wstring> Words(const wchar_t* commandLine) {
    std::vector<std::wstring> words;
    std::wstring word;
    bool quoted = false;
    for (const wchar_t* p = commandLine; *p != L'\0'; ++p) {
        if (*p == L'"') {
            quoted = !quoted;
        } else if (*p == L' ' && !quoted) {
            if (!word.empty()) words.push_back(word);
            word.clear();
        } else {
            word += *p;
        }
    }
    if (!word.empty()) words.push_back(word);
    return words;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    if (!ImportTheLaunchersDlls()) return 8;
    const std::vector<std::wstring> words = Words(GetCommandLineW());
    if (words.size() != 4) return 1;
    HMODULE jvm = LoadLibraryW(words[1].c_str());
    if (jvm == nullptr) return 2;
    Host host;
    host.create = reinterpret_cast<CreateJavaVm>(GetProcAddress(jvm, "JNI_CreateJavaVM"));
    if (host.create == nullptr) return 3;
    host.classPathOption = "-Djava.class.path=" + Narrow(words[2]);
    host.mainClass = Narrow(words[3]);
    HANDLE thread = CreateThread(nullptr, 0, VmThread, &host, 0, nullptr);
    if (thread == nullptr) return 7;
    WaitForSingleObject(thread, INFINITE);
    DWORD threadCode = 0;
    GetExitCodeThread(thread, &threadCode);
    CloseHandle(thread);
    if (host.vm != nullptr) host.vm->DestroyJavaVM();
    return threadCode != 0 ? static_cast<int>(threadCode) : host.code;
}
