// The class-script format: what a class file may hold, and the ClassFormatError for what it may not.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "base/Conversion.h"
#include "tests/standin/tests/StandinTesting.h"

namespace tarn::test {
namespace {

using ::testing::ElementsAre;

class Scripts : public StandinTest {
protected:
    void SetUp() override {
        StandinTest::SetUp();
        ASSERT_EQ(jvm_.Create({"-Djava.class.path=" + ToNarrow(File(L"classes"))}), JNI_OK);
    }

    // The message of the ClassFormatError that loading the script gives, or "" when it loads.
    std::string LoadError(const std::string& className, const std::string& script) {
        WriteClass(File(L"classes"), className, script);
        JNIEnv* env = jvm_.env;
        if (env->FindClass(className.c_str()) != nullptr) return "";
        jthrowable error = env->ExceptionOccurred();
        env->ExceptionClear();
        EXPECT_TRUE(env->IsInstanceOf(error, env->FindClass("java/lang/ClassFormatError")));
        jmethodID getMessage =
            env->GetMethodID(env->FindClass("java/lang/Throwable"), "getMessage", "()Ljava/lang/String;");
        return Utf8Text(env, static_cast<jstring>(env->CallObjectMethod(error, getMessage)));
    }

    LoadedJvm jvm_;
};

struct BadScript {
    const char* script;
    const char* error;
};

TEST_F(Scripts, MistakesGiveAClassFormatErrorNamingTheLine) {
    const BadScript cases[] = {
        {"method main\n  print x\nend\n", "line 2: unknown command 'print'"},
        {"out x\n", "line 1: out outside a method"},
        {"method main\n  out x\n", "method main (line 1) has no end"},
        {"end\n", "line 1: end without method"},
        {"method main\nmethod other\nend\n", "line 2: method inside method main"},
        {"method\n", "line 1: expected: method NAME [int]"},
        {"method main long\nend\n", "line 1: expected: method NAME [int]"},
        {"method main\nend\nmethod main int\nend\n", "line 3: method main declared twice"},
        {"method main\n  exit\nend\n", "line 2: exit needs a number"},
        {"method main\n  sleep soon\nend\n", "line 2: sleep needs a number"},
        {"method main\n  thread x late\nend\n", "line 2: thread needs a number"},
        {"method main\n  return seven\nend\n", "line 2: return takes a number"},
        {"method main\n  prop\nend\n", "line 2: prop needs a name"},
        {"method main\n  throw\nend\n", "line 2: throw needs a name"},
        {"method main\n  args all\nend\n", "line 2: unexpected text after args"},
        {"method main\n  exitlater 100\nend\n", "line 2: exitlater needs an exit code"},
    };
    int index = 0;
    for (const BadScript& bad : cases) {
        const std::string name = "Bad" + std::to_string(++index);
        EXPECT_EQ(LoadError(name, bad.script), name + ".class, " + bad.error) << bad.script;
    }
    EXPECT_TRUE(NoWarnings(ReadTrace()));
}

TEST_F(Scripts, CommentsBlankLinesIndentationByteOrderMarkAndCrLfAreAllowed) {
    EXPECT_EQ(
        LoadError("Good",
                  "\xEF\xBB\xBF# a comment\r\n\r\nmethod main\r\n\t out  two spaces kept \r\n  # inside\r\nend\r\n"
                  "method secondaryMain int\r\n return -3\r\nend"),
        "");
    ASSERT_TRUE(RedirectStream(jvm_.env, File(L"out.txt"), false, "setOut"));
    CallMain(jvm_.env, "Good", {});
    EXPECT_THAT(ReadOutputLines(File(L"out.txt")), ElementsAre(" two spaces kept "));
    jclass good = jvm_.env->FindClass("Good");
    jmethodID secondary = jvm_.env->GetStaticMethodID(good, "secondaryMain", "([Ljava/lang/String;)I");
    EXPECT_EQ(jvm_.env->CallStaticIntMethod(good, secondary, NewJavaStringArray(jvm_.env, {})), -3);
    EXPECT_TRUE(NoWarnings(ReadTrace()));
}

}  // namespace
}  // namespace tarn::test
