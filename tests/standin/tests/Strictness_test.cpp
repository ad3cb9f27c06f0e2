// The JNI rules the stand-in checks like -Xcheck:jni: each broken once on purpose, each giving
// exactly one warning; a correct launcher sees none. Every launcher test relies on these warnings.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <jni.h>

#include <atomic>
#include <functional>
#include <thread>

#include "base/Files.h"
#include "tests/kit/TempFolder.h"
#include "tests/standin/kit/Standin.h"

namespace tarn::test {
namespace {

using ::testing::ElementsAre;

std::string Id(DWORD thread) { return std::to_string(thread); }

// A fresh VM in this process: a copy of the stand-in jvm.dll under a name of its own, created with
// no options, tracing into a file of the test's own.
class Strictness : public ::testing::Test {
protected:
    void SetUp() override {
        trace_.UseInThisProcess();
        static std::atomic<int> counter{0};
        const WString copy = folder_.File(L"jvm-" + std::to_wstring(++counter) + L".dll");
        ASSERT_TRUE(CopyFileW(StandinJvm().c_str(), copy.c_str(), FALSE));
        HMODULE module = LoadLibraryExW(copy.c_str(), nullptr, 0);  // stays loaded: its threads may outlive the test
        ASSERT_NE(module, nullptr);
        auto create = reinterpret_cast<jint(JNICALL*)(JavaVM**, void**, void*)>(GetProcAddress(module, "JNI_CreateJavaVM"));
        JavaVMInitArgs arguments{JNI_VERSION_1_2, 0, nullptr, JNI_FALSE};
        ASSERT_EQ(create(&vm_, reinterpret_cast<void**>(&env_), &arguments), JNI_OK);
        main_ = GetCurrentThreadId();
    }
    void TearDown() override { SetEnvironmentVariableW(kTraceVariable, nullptr); }

    // Runs body on a thread of its own, attached to the VM while it runs when attach is set.
    void OnOtherThread(bool attach, const std::function<void(JNIEnv* own)>& body) {
        std::thread other([&] {
            JNIEnv* own = nullptr;
            if (attach) {
                ASSERT_EQ(vm_->AttachCurrentThread(reinterpret_cast<void**>(&own), nullptr), JNI_OK);
            }
            other_ = GetCurrentThreadId();
            body(own);
            if (attach) vm_->DetachCurrentThread();
        });
        other.join();
    }

    std::vector<std::string> Warnings() const { return trace_.Read().Warnings(); }

    TempFolder folder_{L"standin"};
    TraceFile trace_{folder_.File(L"trace.txt")};
    JNIEnv* env_ = nullptr;
    JavaVM* vm_ = nullptr;
    DWORD main_ = 0;
    DWORD other_ = 0;
};

TEST_F(Strictness, ACallWithAnExceptionPendingOtherThanTheExceptionSafeOnes) {
    EXPECT_EQ(env_->FindClass("Missing"), nullptr);
    env_->ExceptionCheck();
    jthrowable pending = env_->ExceptionOccurred();
    env_->DeleteLocalRef(pending);
    env_->FindClass("java/lang/String");
    env_->ExceptionClear();
    EXPECT_THAT(Warnings(),
                ElementsAre("FindClass: called with an exception pending (java/lang/NoClassDefFoundError)"));
}

TEST_F(Strictness, AJniEnvUsedOnAnotherAttachedThread) {
    OnOtherThread(true, [&](JNIEnv*) { env_->FindClass("java/lang/String"); });
    EXPECT_THAT(Warnings(), ElementsAre("FindClass: JNIEnv of thread " + Id(main_) + " used on thread " + Id(other_)));
}

TEST_F(Strictness, AThreadThatIsNotAttachedCallingIn) {
    OnOtherThread(false, [&](JNIEnv*) { env_->FindClass("java/lang/String"); });
    EXPECT_THAT(Warnings(), ElementsAre("FindClass: thread " + Id(other_) + " is not attached to the VM"));
}

TEST_F(Strictness, AJniEnvUsedAfterItsThreadDetached) {
    ASSERT_EQ(vm_->DetachCurrentThread(), JNI_OK);
    env_->FindClass("java/lang/String");
    EXPECT_THAT(Warnings(), ElementsAre("FindClass: JNIEnv used after DetachCurrentThread"));
}

TEST_F(Strictness, ALocalReferenceUsedAfterDeleteLocalRef) {
    jclass string = env_->FindClass("java/lang/String");
    env_->DeleteLocalRef(string);
    env_->GetMethodID(string, "<init>", "([C)V");
    EXPECT_THAT(Warnings(), ElementsAre("GetMethodID: local reference used after DeleteLocalRef"));
}

TEST_F(Strictness, ALocalReferenceUsedOnAnotherThread) {
    jclass string = env_->FindClass("java/lang/String");
    OnOtherThread(true, [&](JNIEnv* own) { own->GetMethodID(string, "<init>", "([C)V"); });
    EXPECT_THAT(Warnings(),
                ElementsAre("GetMethodID: local reference of thread " + Id(main_) + " used on thread " + Id(other_)));
}

TEST_F(Strictness, ALocalReferenceUsedAfterPopLocalFrame) {
    ASSERT_EQ(env_->PushLocalFrame(4), JNI_OK);
    jclass string = env_->FindClass("java/lang/String");
    env_->PopLocalFrame(nullptr);
    env_->GetMethodID(string, "<init>", "([C)V");
    EXPECT_THAT(Warnings(), ElementsAre("GetMethodID: local reference used after PopLocalFrame"));
}

TEST_F(Strictness, TheMainThreadDetachingTwice) {
    EXPECT_EQ(vm_->DetachCurrentThread(), JNI_OK);
    EXPECT_EQ(vm_->DetachCurrentThread(), JNI_OK) << "a real VM lets it pass";
    EXPECT_THAT(Warnings(),
                ElementsAre("DetachCurrentThread: thread " + Id(main_) + " is not attached (detached twice?)"));
}

TEST_F(Strictness, AnAttachedThreadEndingWithoutDetachDoesNotHangDestroyJavaVm) {
    std::thread leaver([&] {
        JNIEnv* own = nullptr;
        vm_->AttachCurrentThread(reinterpret_cast<void**>(&own), nullptr);
        other_ = GetCurrentThreadId();
    });
    leaver.join();
    EXPECT_EQ(vm_->DestroyJavaVM(), JNI_OK);
    EXPECT_THAT(Warnings(),
                ElementsAre("thread " + Id(other_) +
                            " (Thread-0) ended while attached to the VM: DetachCurrentThread was never called"));
}

TEST_F(Strictness, StringCharsReleasedTwice) {
    jstring text = env_->NewStringUTF("x");
    const char* chars = env_->GetStringUTFChars(text, nullptr);
    env_->ReleaseStringUTFChars(text, chars);
    env_->ReleaseStringUTFChars(text, chars);
    EXPECT_THAT(Warnings(),
                ElementsAre("ReleaseStringUTFChars: pointer not from GetStringUTFChars, or released twice"));
}

TEST_F(Strictness, AMethodCalledAgainstItsKindOrReturnType) {
    jclass system = env_->FindClass("java/lang/System");
    jmethodID setOut = env_->GetStaticMethodID(system, "setOut", "(Ljava/io/PrintStream;)V");
    env_->CallStaticIntMethod(system, setOut, nullptr);
    jclass buffer = env_->FindClass("java/io/ByteArrayOutputStream");
    jmethodID text = env_->GetMethodID(buffer, "toString", "()Ljava/lang/String;");
    env_->CallStaticObjectMethod(buffer, text);
    EXPECT_THAT(
        Warnings(),
        ElementsAre("CallStaticIntMethod: java/lang/System.setOut(Ljava/io/PrintStream;)V does not return the type "
                    "that CallStaticIntMethod returns",
                    "CallStaticObjectMethod: instance method java/io/ByteArrayOutputStream.toString()Ljava/lang/String; called "
                    "as a static method"));
}

}  // namespace
}  // namespace tarn::test
