// Threads: the program's own threads and attached native threads, and how DestroyJavaVM waits.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <thread>

#include "base/Conversion.h"
#include "tests/kit/TextFiles.h"
#include "tests/standin/tests/StandinTesting.h"

namespace tarn::test {
namespace {

using ::testing::ElementsAre;

class Threads : public StandinTest {};

TEST_F(Threads, DestroyJavaVmWaitsForTheProgramsNonDaemonThreadsButNotForDaemons) {
    // The daemon outlives the test program; it must not hold DestroyJavaVM.
    WriteClass(File(L"classes"), "App",
               "method main\n  daemon 600000 never\n  thread 700 late\n  out main returns\nend\n");
    LoadedJvm jvm;
    ASSERT_EQ(jvm.Create({"-Djava.class.path=" + ToNarrow(File(L"classes"))}), JNI_OK);
    ASSERT_TRUE(RedirectStream(jvm.env, File(L"out.txt"), false, "setOut"));
    CallMain(jvm.env, "App", {});
    ASSERT_EQ(jvm.vm->DetachCurrentThread(), JNI_OK);

    EXPECT_EQ(jvm.vm->DestroyJavaVM(), JNI_OK);

    EXPECT_THAT(ReadOutputLines(File(L"out.txt")), ElementsAre("main returns", "late"));
    const Trace trace = ReadTrace();
    const int late = trace.Find("Print", "late");
    ASSERT_GE(late, 0) << trace.Text();
    EXPECT_GT(trace.Find("DestroyJavaVM returned", "0"), late) << trace.Text();
    EXPECT_TRUE(NoWarnings(trace));
}

TEST_F(Threads, DestroyJavaVmWaitsForAnAttachedNativeThreadToDetach) {
    LoadedJvm jvm;
    ASSERT_EQ(jvm.Create({}), JNI_OK);
    HANDLE attached = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    std::thread worker([&] {
        JNIEnv* env = nullptr;
        JavaVMAttachArgs arguments{JNI_VERSION_1_2, const_cast<char*>("worker"), nullptr};
        EXPECT_EQ(jvm.vm->AttachCurrentThread(reinterpret_cast<void**>(&env), &arguments), JNI_OK);
        SetEvent(attached);
        Sleep(500);
        EXPECT_EQ(jvm.vm->DetachCurrentThread(), JNI_OK);
    });
    WaitForSingleObject(attached, INFINITE);
    ASSERT_EQ(jvm.vm->DetachCurrentThread(), JNI_OK);
    EXPECT_EQ(jvm.vm->DestroyJavaVM(), JNI_OK);
    worker.join();
    CloseHandle(attached);

    const Trace trace = ReadTrace();
    const int detached = trace.Find("DetachCurrentThread returned", "(worker)");
    ASSERT_GE(detached, 0) << trace.Text();
    EXPECT_GT(trace.Find("DestroyJavaVM returned"), detached) << trace.Text();
    EXPECT_TRUE(NoWarnings(trace));
}

TEST_F(Threads, AttachDetachAndGetEnvFollowTheInvocationInterface) {
    WriteClass(File(L"classes"), "App", "method main\nend\nmethod secondaryMain\n  args\nend\n");
    LoadedJvm jvm;
    ASSERT_EQ(jvm.Create({"-Djava.class.path=" + ToNarrow(File(L"classes"))}), JNI_OK);
    ASSERT_TRUE(RedirectStream(jvm.env, File(L"out.txt"), false, "setOut"));
    std::thread worker([&] {
        void* env = reinterpret_cast<void*>(1);
        EXPECT_EQ(jvm.vm->GetEnv(&env, JNI_VERSION_1_2), JNI_EDETACHED);
        EXPECT_EQ(env, nullptr);
        JNIEnv* attachedEnv = nullptr;
        ASSERT_EQ(jvm.vm->AttachCurrentThread(reinterpret_cast<void**>(&attachedEnv), nullptr), JNI_OK);
        EXPECT_NE(attachedEnv, jvm.env);
        JNIEnv* again = nullptr;
        EXPECT_EQ(jvm.vm->AttachCurrentThread(reinterpret_cast<void**>(&again), nullptr), JNI_OK);
        EXPECT_EQ(again, attachedEnv);
        EXPECT_EQ(jvm.vm->GetEnv(&env, JNI_VERSION_1_6), JNI_OK);
        EXPECT_EQ(env, attachedEnv);
        EXPECT_EQ(jvm.vm->GetEnv(&env, 0x7fff0000), JNI_EVERSION);

        jclass app = attachedEnv->FindClass("App");
        ASSERT_NE(app, nullptr);
        jmethodID secondary = attachedEnv->GetStaticMethodID(app, "secondaryMain", "([Ljava/lang/String;)V");
        ASSERT_NE(secondary, nullptr);
        attachedEnv->CallStaticVoidMethod(app, secondary, NewJavaStringArray(attachedEnv, {L"from the worker"}));
        EXPECT_EQ(jvm.vm->DetachCurrentThread(), JNI_OK);
        EXPECT_EQ(jvm.vm->GetEnv(&env, JNI_VERSION_1_2), JNI_EDETACHED);
    });
    worker.join();

    void* env = nullptr;
    EXPECT_EQ(jvm.vm->GetEnv(&env, JNI_VERSION_1_2), JNI_OK);
    EXPECT_EQ(env, jvm.env);
    EXPECT_THAT(ReadOutputLines(File(L"out.txt")), ElementsAre("from the worker"));
    const Trace trace = ReadTrace();
    EXPECT_TRUE(trace.Has("AttachCurrentThread returned", "0 (Thread-0)"));
    EXPECT_TRUE(NoWarnings(trace));
}

}  // namespace
}  // namespace tarn::test
