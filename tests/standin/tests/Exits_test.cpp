// Ways the VM ends the process: System.exit through the "exit" hook, an abort through the "abort"
// hook, the launcher helper's exit for a missing main class, a JNI function the stand-in lacks.
// Each runs in a child process that gtest starts for the death test.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <atomic>

#include "base/Conversion.h"
#include "base/Environment.h"
#include "tests/standin/tests/StandinTesting.h"

namespace tarn::test {
namespace {

using ::testing::ElementsAre;

// The child process of a death test runs the test again from its start, with the parent's
// environment: a folder named in a variable the parent sets is therefore the same for both.
class SharedFolder {
public:
    SharedFolder() : path_(GetEnvironment(kVariable)), owner_(path_.empty()) {
        static std::atomic<int> counter{0};
        if (owner_) {
            path_ =
                L"C:\\tarn-tests\\shared-" + std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(++counter);
            RemoveTree(path_);
            CreateDirectoryW(L"C:\\tarn-tests", nullptr);
            CreateDirectoryW(path_.c_str(), nullptr);
            SetEnvironmentVariableW(kVariable, path_.c_str());
        }
        trace_ = std::make_unique<TraceFile>(path_ + L"\\trace.txt");
        if (!owner_) return;
        trace_->UseInThisProcess();
    }
    ~SharedFolder() {
        if (!owner_) return;
        SetEnvironmentVariableW(kVariable, nullptr);
        SetEnvironmentVariableW(kTraceVariable, nullptr);
        RemoveTree(path_);
    }
    WString Path() const { return path_; }
    Trace ReadTrace() const { return trace_->Read(); }

private:
    static constexpr const wchar_t* kVariable = L"TARN_STANDIN_SHARED_FOLDER";
    WString path_;
    bool owner_;
    std::unique_ptr<TraceFile> trace_;
};

// Creates a VM with the test's hooks on the shared folder's class path, then runs main.
void RunMainThere(const SharedFolder& folder, const char* className) {
    LoadedJvm jvm;
    if (jvm.Create({"-Djava.class.path=" + ToNarrow(folder.Path())}) != JNI_OK) return;
    CallMain(jvm.env, className, {L"argument"});
}

std::vector<std::string> NamesFrom(const Trace& trace, const std::string& first) {
    std::vector<std::string> names;
    for (const TraceLine& line : trace.Lines()) {
        if (!names.empty() || line.name == first) names.push_back(line.name + " " + line.detail);
    }
    return names;
}

TEST(Exits, SystemExitCallsTheExitHookAndEndsTheProcessWithItsCode) {
    SharedFolder folder;
    WriteClass(folder.Path(), "App", "method main\n  out about to exit\n  exit 7\n  out never\nend\n");
    EXPECT_EXIT(RunMainThere(folder, "App"), ::testing::ExitedWithCode(7), "");
    EXPECT_THAT(NamesFrom(folder.ReadTrace(), "Print"),
                ElementsAre("Print stdout\tabout to exit", "System.exit 7", "ExitHook 7", "test exit hook 7",
                            "ExitHook returned "))
        << "a hook that returns still ends the process";
    EXPECT_TRUE(NoWarnings(folder.ReadTrace()));
}

TEST(Exits, AProgramThreadCanEndTheProcessAfterMainReturned) {
    SharedFolder folder;
    WriteClass(folder.Path(), "App", "method main\n  exitlater 300 5\nend\n");
    EXPECT_EXIT(
        {
            LoadedJvm jvm;
            if (jvm.Create({"-Djava.class.path=" + ToNarrow(folder.Path())}) != JNI_OK) return;
            CallMain(jvm.env, "App", {});
            jvm.vm->DetachCurrentThread();
            jvm.vm->DestroyJavaVM();  // waits for the thread, which ends the process
        },
        ::testing::ExitedWithCode(5), "");
    const Trace trace = folder.ReadTrace();
    const int returned = trace.Find("CallStaticVoidMethod returned");
    ASSERT_GE(returned, 0) << trace.Text();
    EXPECT_GT(trace.Find("System.exit", "5"), returned);
    EXPECT_FALSE(trace.Has("DestroyJavaVM returned"));
}

TEST(Exits, AnAbortCallsTheAbortHookAndEndsTheProcessWithOne) {
    SharedFolder folder;
    WriteClass(folder.Path(), "App", "method main\n  abort\nend\n");
    EXPECT_EXIT(RunMainThere(folder, "App"), ::testing::ExitedWithCode(1), "");
    EXPECT_THAT(NamesFrom(folder.ReadTrace(), "VmAbort"),
                ElementsAre("VmAbort App.main([Ljava/lang/String;)V line 2", "AbortHook ", "test abort hook ",
                            "AbortHook returned "));
}

void LoadThroughTheLauncherHelper(const SharedFolder& folder, const char* name) {
    LoadedJvm jvm;
    if (jvm.Create({"-Djava.class.path=" + ToNarrow(folder.Path())}) != JNI_OK) return;
    auto findBootClass =
        reinterpret_cast<jclass(JNICALL*)(JNIEnv*, const char*)>(jvm.Entry("JVM_FindClassFromBootLoader"));
    jclass helper = findBootClass(jvm.env, "sun/launcher/LauncherHelper");
    jmethodID check = jvm.env->GetStaticMethodID(helper, "checkAndLoadMain", "(ZILjava/lang/String;)Ljava/lang/Class;");
    jvm.env->CallStaticObjectMethod(helper, check, JNI_TRUE, 1, NewJavaString(jvm.env, FromNarrow(name)));
}

TEST(Exits, TheLauncherHelperPrintsAndExitsWithOneForAMissingClassOrMain) {
    SharedFolder folder;
    WriteClass(folder.Path(), "com/example/NoMain", "method other\nend\n");
    EXPECT_EXIT(LoadThroughTheLauncherHelper(folder, "com.example.Nope"), ::testing::ExitedWithCode(1),
                "Error: Could not find or load main class com.example.Nope\r?\nCaused by: "
                "java.lang.ClassNotFoundException: com.example.Nope");
    EXPECT_EXIT(LoadThroughTheLauncherHelper(folder, "com.example.NoMain"), ::testing::ExitedWithCode(1),
                "Error: Main method not found in class com.example.NoMain, please define the main method as:");
    EXPECT_TRUE(folder.ReadTrace().Has("ExitHook", "1"));
}

TEST(Exits, AJniFunctionTheStandinLacksIsReportedByNameAndAborts) {
    SharedFolder folder;
    EXPECT_EXIT(
        {
            LoadedJvm jvm;
            if (jvm.Create({}) == JNI_OK) jvm.env->GetFieldID(jvm.env->FindClass("java/lang/String"), "value", "[C");
        },
        ::testing::ExitedWithCode(1),
        "FATAL ERROR in native method: the stand-in runtime has no JNI function 94 \\(GetFieldID\\)");
    EXPECT_THAT(folder.ReadTrace().Warnings(), ElementsAre("unimplemented JNI function 94 (GetFieldID)"));
    EXPECT_TRUE(folder.ReadTrace().Has("test abort hook"));
}

}  // namespace
}  // namespace tarn::test
