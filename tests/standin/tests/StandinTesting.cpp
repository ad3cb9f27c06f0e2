#include "tests/standin/tests/StandinTesting.h"

#include <gtest/gtest.h>

#include <atomic>

#include "base/Environment.h"
#include "base/Files.h"
#include "base/Handles.h"
#include "tests/kit/TextFiles.h"

namespace tarn::test {
namespace {

const WString kCopies = L"C:\\tarn-tests\\standin-jvms";

void AppendToTrace(const std::string& name, const std::string& detail) {
    const WString path = GetEnvironment(kTraceVariable);
    if (path.empty()) return;
    HandleHolder file(CreateFileW(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                  OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    const std::string line = std::to_string(GetCurrentThreadId()) + "\t" + name + "\t" + detail + "\n";
    DWORD written = 0;
    if (file) WriteFile(file.get(), line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
}

// Once per test program; not in the child processes of death tests, whose parent still uses its copies.
class CopiesCleanup : public ::testing::Environment {
public:
    void SetUp() override {
        if (std::wstring(GetCommandLineW()).find(L"internal_run_death_test") == std::wstring::npos) RemoveOldJvmCopies();
    }
};

const auto* const kCleanup = ::testing::AddGlobalTestEnvironment(new CopiesCleanup);

}  // namespace

void RemoveOldJvmCopies() {
    const WString own = std::to_wstring(GetCurrentProcessId());
    WIN32_FIND_DATAW data;
    FindHandle search(FindFirstFileW((kCopies + L"\\*").c_str(), &data));
    if (!search) return;
    do {
        const WString name = data.cFileName;
        if (name != L"." && name != L".." && name != own) RemoveTree(kCopies + L"\\" + name);
    } while (FindNextFileW(search.get(), &data));
}

LoadedJvm::LoadedJvm(JvmVariant variant) {
    static std::atomic<int> counter{0};
    const WString copy =
        kCopies + L"\\" + std::to_wstring(GetCurrentProcessId()) + L"\\jvm-" + std::to_wstring(++counter) + L".dll";
    CreateFolderTree(copy);
    EXPECT_TRUE(CopyFileW(StandinJvm(variant).c_str(), copy.c_str(), FALSE)) << "copy of the stand-in jvm.dll";
    module_ = LoadLibraryExW(copy.c_str(), nullptr, 0);
    EXPECT_NE(module_, nullptr) << "LoadLibraryExW error " << GetLastError();
}

jint LoadedJvm::Create(const std::vector<std::string>& options, bool hooks, jboolean ignoreUnrecognized) {
    std::vector<JavaVMOption> vmOptions;
    for (const std::string& option : options) vmOptions.push_back({const_cast<char*>(option.c_str()), nullptr});
    if (hooks) {
        vmOptions.push_back({const_cast<char*>("abort"), reinterpret_cast<void*>(&TestAbortHook)});
        vmOptions.push_back({const_cast<char*>("exit"), reinterpret_cast<void*>(&TestExitHook)});
    }
    JavaVMInitArgs arguments{};
    arguments.version = JNI_VERSION_1_2;
    arguments.nOptions = static_cast<jint>(vmOptions.size());
    arguments.options = vmOptions.data();
    arguments.ignoreUnrecognized = ignoreUnrecognized;
    auto create = reinterpret_cast<jint(JNICALL*)(JavaVM**, void**, void*)>(Entry("JNI_CreateJavaVM"));
    if (create == nullptr) return JNI_ERR;
    return create(&vm, reinterpret_cast<void**>(&env), &arguments);
}

void JNICALL TestExitHook(jint code) { AppendToTrace("test exit hook", std::to_string(code)); }
void JNICALL TestAbortHook() { AppendToTrace("test abort hook", ""); }

jstring NewJavaString(JNIEnv* env, const std::wstring& text) {
    jclass string = env->FindClass("java/lang/String");
    if (string == nullptr) return nullptr;
    jmethodID constructor = env->GetMethodID(string, "<init>", "([C)V");
    jcharArray units = constructor != nullptr ? env->NewCharArray(static_cast<jsize>(text.size())) : nullptr;
    if (units == nullptr) return nullptr;
    env->SetCharArrayRegion(units, 0, static_cast<jsize>(text.size()), reinterpret_cast<const jchar*>(text.data()));
    jstring result = env->ExceptionOccurred() == nullptr
                         ? static_cast<jstring>(env->NewObject(string, constructor, units))
                         : nullptr;
    env->DeleteLocalRef(units);
    return result;
}

jobjectArray NewJavaStringArray(JNIEnv* env, const std::vector<std::wstring>& texts) {
    jclass string = env->FindClass("java/lang/String");
    jobjectArray array =
        string != nullptr ? env->NewObjectArray(static_cast<jsize>(texts.size()), string, nullptr) : nullptr;
    for (size_t i = 0; array != nullptr && i < texts.size(); ++i) {
        jstring element = NewJavaString(env, texts[i]);
        if (element == nullptr) return nullptr;
        env->SetObjectArrayElement(array, static_cast<jsize>(i), element);
        env->DeleteLocalRef(element);
    }
    return array;
}

bool RedirectStream(JNIEnv* env, const std::wstring& path, bool append, const char* setter) {
    jstring name = NewJavaString(env, path);
    jclass fileClass = name != nullptr ? env->FindClass("java/io/FileOutputStream") : nullptr;
    jmethodID fileInit =
        fileClass != nullptr ? env->GetMethodID(fileClass, "<init>", "(Ljava/lang/String;Z)V") : nullptr;
    jobject file =
        fileInit != nullptr ? env->NewObject(fileClass, fileInit, name, append ? JNI_TRUE : JNI_FALSE) : nullptr;
    if (file == nullptr) return false;
    jclass printClass = env->FindClass("java/io/PrintStream");
    jmethodID printInit =
        printClass != nullptr ? env->GetMethodID(printClass, "<init>", "(Ljava/io/OutputStream;)V") : nullptr;
    jobject print = printInit != nullptr ? env->NewObject(printClass, printInit, file) : nullptr;
    jclass system = print != nullptr ? env->FindClass("java/lang/System") : nullptr;
    jmethodID set = system != nullptr ? env->GetStaticMethodID(system, setter, "(Ljava/io/PrintStream;)V") : nullptr;
    if (set == nullptr) return false;
    env->CallStaticVoidMethod(system, set, print);
    return env->ExceptionOccurred() == nullptr;
}

std::string Utf8Text(JNIEnv* env, jstring text) {
    const char* chars = env->GetStringUTFChars(text, nullptr);
    if (chars == nullptr) return {};
    const std::wstring wide = FromUtf8(chars);  // no U+0000 or supplementary characters in these tests
    env->ReleaseStringUTFChars(text, chars);
    return ToUtf8(wide);
}

std::string StackTraceText(JNIEnv* env, jthrowable exception) {
    jclass bufferClass = env->FindClass("java/io/ByteArrayOutputStream");
    jobject buffer = env->NewObject(bufferClass, env->GetMethodID(bufferClass, "<init>", "()V"));
    jclass printClass = env->FindClass("java/io/PrintStream");
    jobject print =
        env->NewObject(printClass, env->GetMethodID(printClass, "<init>", "(Ljava/io/OutputStream;)V"), buffer);
    jmethodID printStackTrace =
        env->GetMethodID(env->GetObjectClass(exception), "printStackTrace", "(Ljava/io/PrintStream;)V");
    env->CallVoidMethod(exception, printStackTrace, print);
    jmethodID toString = env->GetMethodID(env->GetObjectClass(buffer), "toString", "()Ljava/lang/String;");
    auto text = static_cast<jstring>(env->CallObjectMethod(buffer, toString));
    return text != nullptr ? Utf8Text(env, text) : std::string();
}

void CallMain(JNIEnv* env, const char* className, const std::vector<std::wstring>& arguments) {
    jclass cls = env->FindClass(className);
    ASSERT_NE(cls, nullptr) << className;
    jmethodID main = env->GetStaticMethodID(cls, "main", "([Ljava/lang/String;)V");
    ASSERT_NE(main, nullptr);
    jobjectArray array = NewJavaStringArray(env, arguments);
    ASSERT_NE(array, nullptr);
    env->CallStaticVoidMethod(cls, main, array);
}

}  // namespace tarn::test
