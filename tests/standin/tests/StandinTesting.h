// Driving the stand-in runtime from tests the way the launcher does: a fresh VM in this process,
// and the JNI sequences the launcher uses for strings, stream redirection and stack traces.
#pragma once
#include <gtest/gtest.h>
#include <jni.h>

#include <string>
#include <vector>

#include "tests/kit/TempFolder.h"
#include "tests/standin/kit/Standin.h"

namespace tarn::test {

// A copy of a stand-in jvm.dll under a name of its own, loaded into this process: a VM that has
// never been created, whatever earlier tests did.
class LoadedJvm {
public:
    explicit LoadedJvm(JvmVariant variant = JvmVariant::Full);
    HMODULE Module() const { return module_; }
    FARPROC Entry(const char* name) const { return GetProcAddress(module_, name); }

    // JNI_CreateJavaVM with these options (ANSI text) plus, when hooks is set, "abort" and "exit"
    // with the given hooks, version JNI_VERSION_1_2 and ignoreUnrecognized false.
    jint Create(const std::vector<std::string>& options, bool hooks = true, jboolean ignoreUnrecognized = JNI_FALSE);

    JavaVM* vm = nullptr;
    JNIEnv* env = nullptr;

private:
    HMODULE module_ = nullptr;
};

// Removes the copies that earlier runs of the test program left behind.
void RemoveOldJvmCopies();

// The test's own hooks, as the launcher passes them; they record their calls in the trace.
void JNICALL TestExitHook(jint code);
void JNICALL TestAbortHook();

// The launcher's JNI sequences.
jstring NewJavaString(JNIEnv* env, const std::wstring& text);
jobjectArray NewJavaStringArray(JNIEnv* env, const std::vector<std::wstring>& texts);
// FileOutputStream(name, append) -> PrintStream -> System.setOut or setErr ("setOut"/"setErr").
bool RedirectStream(JNIEnv* env, const std::wstring& path, bool append, const char* setter);
// printStackTrace into a ByteArrayOutputStream, its toString, read back as UTF-8.
std::string StackTraceText(JNIEnv* env, jthrowable exception);
std::string Utf8Text(JNIEnv* env, jstring text);  // GetStringUTFChars, decoded to standard UTF-8
// FindClass + GetStaticMethodID + CallStaticVoidMethod(String[]) of a class script's main.
void CallMain(JNIEnv* env, const char* className, const std::vector<std::wstring>& arguments);

// A folder on C: with a trace file of its own, named by the trace variable while the test runs.
class StandinTest : public ::testing::Test {
protected:
    void SetUp() override { trace_.UseInThisProcess(); }
    void TearDown() override { SetEnvironmentVariableW(kTraceVariable, nullptr); }
    Trace ReadTrace() const { return trace_.Read(); }
    WString File(const WString& name) const { return folder_.File(name); }
    const WString& Folder() const { return folder_.Path(); }

private:
    TempFolder folder_{L"standin"};
    TraceFile trace_{folder_.File(L"trace.txt")};
};

}  // namespace tarn::test
