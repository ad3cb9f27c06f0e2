// Creating the VM: the options a real VM takes and rejects, its error codes, its defaults.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdarg>
#include <cstdio>

#include "base/Environment.h"
#include "tests/standin/runtime/StandinJni.h"
#include "tests/standin/tests/StandinTesting.h"

namespace tarn::test {
namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using CreateFunction = jint(JNICALL*)(JavaVM**, void**, void*);
using CreatedFunction = jint(JNICALL*)(JavaVM**, jsize, jsize*);
using DefaultsFunction = jint(JNICALL*)(void*);

std::string vmMessages;

jint JNICALL CollectMessage(FILE*, const char* format, va_list arguments) {
    char text[512];
    const int length = std::vsnprintf(text, sizeof text, format, arguments);
    vmMessages += text;
    return length;
}

// JNI_CreateJavaVM with one option after the "vfprintf" hook, as a launcher with that hook would.
jint CreateWith(const LoadedJvm& jvm, const std::string& option, jboolean ignoreUnrecognized,
                jint version = JNI_VERSION_1_2) {
    JavaVMOption options[] = {{const_cast<char*>("vfprintf"), reinterpret_cast<void*>(&CollectMessage)},
                              {const_cast<char*>(option.c_str()), nullptr}};
    JavaVMInitArgs arguments{version, 2, options, ignoreUnrecognized};
    JavaVM* vm = nullptr;
    void* env = nullptr;
    vmMessages.clear();
    return reinterpret_cast<CreateFunction>(jvm.Entry("JNI_CreateJavaVM"))(&vm, &env, &arguments);
}

jsize CreatedVms(const LoadedJvm& jvm, JavaVM** first = nullptr) {
    JavaVM* buffer[2] = {};
    jsize count = -1;
    EXPECT_EQ(reinterpret_cast<CreatedFunction>(jvm.Entry("JNI_GetCreatedJavaVMs"))(buffer, 2, &count), JNI_OK);
    if (first != nullptr) *first = buffer[0];
    return count;
}

class Creation : public StandinTest {};

TEST_F(Creation, AcceptsWhatARealVmAcceptsAndTracesTheOptionsInOrder) {
    const std::vector<std::string> options = {"-Djava.library.path=C:\\rt\\bin",
                                              "-Djava.class.path=C:\\app\\a.jar;C:\\app\\classes;",
                                              "-Dapp.home=C:\\Program Files\\App",
                                              "-Dempty",
                                              "-Xmx512m",
                                              "-Xms64M",
                                              "-Xss2m",
                                              "-Xmx1048576K",
                                              "-Xss1048576",
                                              "-Xmn1g",
                                              "-XX:+UseG1GC",
                                              "-XX:-UseCompressedOops",
                                              "-XX:MaxPermSize=256m",
                                              "-ea",
                                              "-da:com.example...",
                                              "-enableassertions:Foo",
                                              "-esa",
                                              "-verbose",
                                              "-verbose:gc",
                                              "-Xrs",
                                              "-Xint",
                                              "-Xcheck:jni",
                                              "-Xshare:off",
                                              "-Xbootclasspath/a:C:\\x.jar",
                                              "-Xloggc:C:\\gc.log",
                                              "-javaagent:C:\\agent.jar",
                                              "-agentlib:jdwp=transport=dt_socket"};
    LoadedJvm jvm;
    ASSERT_EQ(jvm.Create(options), JNI_OK);

    const Trace trace = ReadTrace();
    std::vector<std::string> expected = options;
    expected.insert(expected.end(), {"abort", "exit"});
    EXPECT_THAT(trace.Options(), ElementsAreArray(expected));
    EXPECT_THAT(trace.Named("Option").back().Fields(), ElementsAre("exit", "extraInfo"));
    EXPECT_THAT(trace.Named("Option").front().Fields(), ElementsAre("-Djava.library.path=C:\\rt\\bin"));
    EXPECT_TRUE(trace.Has("JNI_CreateJavaVM", "version=0x00010002 nOptions=29 ignoreUnrecognized=false threadStack="));
    EXPECT_TRUE(trace.Has("JNI_CreateJavaVM returned", "0"));
    JavaVM* created = nullptr;
    EXPECT_EQ(CreatedVms(jvm, &created), 1);
    EXPECT_EQ(created, jvm.vm);
    EXPECT_TRUE(NoWarnings(trace));
}

TEST_F(Creation, ASecondVmFailsWithJniEexistAndOneAfterDestroyWithJniErr) {
    LoadedJvm jvm;
    ASSERT_EQ(jvm.Create({}), JNI_OK);
    EXPECT_EQ(CreateWith(jvm, "-Xmx64m", JNI_FALSE), JNI_EEXIST);
    ASSERT_EQ(jvm.vm->DestroyJavaVM(), JNI_OK);
    EXPECT_EQ(CreatedVms(jvm), 0);
    EXPECT_EQ(CreateWith(jvm, "-Xmx64m", JNI_FALSE), JNI_ERR);
    EXPECT_TRUE(NoWarnings(ReadTrace()));
}

struct RejectedOption {
    const char* option;
    jint code;
    const char* message;
};

TEST_F(Creation, RejectsMalformedAndUnknownOptionsWithTheCodeAndMessageOfARealVm) {
    const RejectedOption cases[] = {
        {"-Xmx0", JNI_EINVAL, "Invalid maximum heap size: -Xmx0"},
        {"-Xmx", JNI_EINVAL, "Invalid maximum heap size: -Xmx"},
        {"-Xmx12q", JNI_EINVAL, "Invalid maximum heap size: -Xmx12q"},
        {"-Xmx1m1", JNI_EINVAL, "Invalid maximum heap size: -Xmx1m1"},
        {"-Xmx0K", JNI_EINVAL, "Invalid maximum heap size: -Xmx0K"},
        {"-Xmx99999999999999999999", JNI_EINVAL, "Invalid maximum heap size: -Xmx99999999999999999999"},
        {"-Xms0", JNI_EINVAL, "Invalid initial heap size: -Xms0"},
        {"-Xss", JNI_EINVAL, "Invalid thread stack size: -Xss"},
        {"-Xss999", JNI_EINVAL, "Invalid thread stack size: -Xss999"},
        {"-Xss-1m", JNI_EINVAL, "Invalid thread stack size: -Xss-1m"},
        {"-XX:+", JNI_EINVAL, "Unrecognized VM option '+'"},
        {"-XX:Bad Flag=1", JNI_EINVAL, "Unrecognized VM option 'Bad Flag=1'"},
        {"-Xfoo", JNI_ERR, "Unrecognized option: -Xfoo"},
        {"-server", JNI_ERR, "Unrecognized option: -server"},
        {"-D", JNI_ERR, "Unrecognized option: -D"},
        {"", JNI_ERR, "Unrecognized option: "},
        {"-Dtarn.standin.createResult=x", JNI_EINVAL, "Invalid value of tarn.standin.createResult: x"},
    };
    LoadedJvm jvm;
    for (const RejectedOption& rejected : cases) {
        EXPECT_EQ(CreateWith(jvm, rejected.option, JNI_FALSE), rejected.code) << rejected.option;
        EXPECT_EQ(vmMessages, std::string(rejected.message) + "\n") << rejected.option;
    }
    // A failed creation leaves no VM behind: a good one still succeeds.
    EXPECT_EQ(CreatedVms(jvm), 0);
    EXPECT_EQ(CreateWith(jvm, "-Xmx1k", JNI_FALSE), JNI_OK);
    EXPECT_TRUE(NoWarnings(ReadTrace()));
}

TEST_F(Creation, IgnoreUnrecognizedSkipsOnlyOptionsThatBeginWithXOrUnderscore) {
    LoadedJvm jvm;
    EXPECT_EQ(CreateWith(jvm, "-foo", JNI_TRUE), JNI_ERR);
    EXPECT_EQ(CreateWith(jvm, "-Xmx0", JNI_TRUE), JNI_EINVAL);
    EXPECT_EQ(CreateWith(jvm, "_private", JNI_TRUE), JNI_OK);
    EXPECT_EQ(vmMessages, "");
}

TEST_F(Creation, TheTestPropertyMakesCreationReturnTheChosenCodeWithoutCreatingAVm) {
    LoadedJvm jvm;
    for (jint code : {-1, -2, -3, -4, -5, -6, -7, 12}) {
        EXPECT_EQ(CreateWith(jvm, "-Dtarn.standin.createResult=" + std::to_string(code), JNI_FALSE), code);
        EXPECT_EQ(CreatedVms(jvm), 0);
    }
    EXPECT_EQ(CreateWith(jvm, "-Dtarn.standin.createResult=0", JNI_FALSE), JNI_OK);
    EXPECT_EQ(CreatedVms(jvm), 1) << "0 creates the VM as usual";
}

TEST_F(Creation, OnlySupportedJniVersionsCreateAVm) {
    LoadedJvm jvm;
    EXPECT_EQ(CreateWith(jvm, "-Xint", JNI_FALSE, JNI_VERSION_1_1), JNI_EVERSION);
    EXPECT_EQ(CreateWith(jvm, "-Xint", JNI_FALSE, 0x00010003), JNI_EVERSION);
    EXPECT_EQ(CreateWith(jvm, "-Xint", JNI_FALSE, JNI_VERSION_1_8), JNI_OK);
}

TEST_F(Creation, DefaultInitArgsGiveTheJavaStackSizeForAJni11RequestAsARealVmDoes) {
    LoadedJvm jvm;
    const auto defaults = reinterpret_cast<DefaultsFunction>(jvm.Entry("JNI_GetDefaultJavaVMInitArgs"));
    const std::pair<const wchar_t*, jint> cases[] = {{nullptr, 1024 * 1024}, {L"0", 0}, {L"-5", -5}, {L"65536", 65536}};
    for (const auto& [setting, expected] : cases) {
        SetEnvironmentVariableW(L"TARN_STANDIN_DEFAULT_STACK", setting);
        standin::JDK1_1InitArgs arguments{};
        arguments.version = JNI_VERSION_1_1;
        EXPECT_EQ(defaults(&arguments), JNI_ERR) << "JNI 1.1 itself is not supported";
        EXPECT_EQ(arguments.javaStackSize, expected);
        EXPECT_EQ(arguments.version, JNI_VERSION_1_2);
    }
    SetEnvironmentVariableW(L"TARN_STANDIN_DEFAULT_STACK", nullptr);
    JavaVMInitArgs current{};
    current.version = JNI_VERSION_1_2;
    EXPECT_EQ(defaults(&current), JNI_OK);
    EXPECT_EQ(current.nOptions, 0);
    EXPECT_TRUE(ReadTrace().Has("JNI_GetDefaultJavaVMInitArgs returned", "-1 javaStackSize=65536"));
}

struct StackTest {
    LoadedJvm* jvm;
    jint result;
};

DWORD WINAPI CreateOnThisThread(void* parameter) {
    auto* test = static_cast<StackTest*>(parameter);
    test->result = test->jvm->Create({"-Xss8m"});
    if (test->result == JNI_OK) test->jvm->vm->DetachCurrentThread();
    return 0;
}

TEST_F(Creation, TracesTheReservedStackOfTheThreadThatCreatesTheVm) {
    LoadedJvm jvm;
    StackTest test{&jvm, JNI_ERR};
    HANDLE thread = CreateThread(nullptr, 8 * 1024 * 1024, CreateOnThisThread, &test, 0, nullptr);
    ASSERT_NE(thread, nullptr);
    WaitForSingleObject(thread, INFINITE);
    CloseHandle(thread);
    ASSERT_EQ(test.result, JNI_OK);
    const std::string line = ReadTrace().Named("JNI_CreateJavaVM").front().detail;
    const unsigned long long stack = std::stoull(line.substr(line.find("threadStack=") + 12));
    EXPECT_GE(stack, 8ull * 1024 * 1024) << line;
    EXPECT_LT(stack, 9ull * 1024 * 1024) << line;
}

}  // namespace
}  // namespace tarn::test
