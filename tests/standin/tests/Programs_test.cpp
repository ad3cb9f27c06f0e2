// Java programs through the JNI function table, as the launcher runs them: classes from folders,
// jars and an executable's appended jar, main with arguments, redirected streams.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "base/Conversion.h"
#include "tests/kit/TextFiles.h"
#include "tests/standin/tests/StandinTesting.h"

namespace tarn::test {
namespace {

using ::testing::ElementsAre;

const char kPrintingMain[] =
    "# prints what it receives\n"
    "method main\n"
    "  out first line\n"
    "  argc\n"
    "  args\n"
    "  err to the error stream\n"
    "end\n";

class Programs : public StandinTest {};

TEST_F(Programs, MainFromAFolderReceivesNonAsciiArgumentsAndPrintsThemToTheRedirectedFile) {
    WriteClass(File(L"classes"), "com/example/App", kPrintingMain);
    LoadedJvm jvm;
    ASSERT_EQ(jvm.Create({"-Djava.class.path=" + ToNarrow(File(L"classes")) + ";"}), JNI_OK);
    ASSERT_TRUE(RedirectStream(jvm.env, File(L"out\\out.txt"), false, "setOut"));
    ASSERT_TRUE(RedirectStream(jvm.env, File(L"out\\err.txt"), false, "setErr"));

    CallMain(jvm.env, "com/example/App", {L"Gr\u00fc\u00dfe", L"\u65e5\u672c\u8a9e", L"", L"a b"});

    EXPECT_EQ(jvm.env->ExceptionOccurred(), nullptr);
    EXPECT_THAT(ReadOutputLines(File(L"out\\out.txt")), ElementsAre("first line", "4", "Grüße", "日本語", "", "a b"));
    EXPECT_THAT(ReadOutputLines(File(L"out\\err.txt")), ElementsAre("to the error stream"));
    const Trace trace = ReadTrace();
    EXPECT_TRUE(
        trace.Has("CallStaticVoidMethod",
                  R"(com/example/App.main([Ljava/lang/String;)V (java/lang/String[4]{"Grüße", "日本語", "", "a b"}))"))
        << trace.Text();
    EXPECT_TRUE(NoWarnings(trace));
}

TEST_F(Programs, PropertiesEnvironmentAndTheIntFormOfAMethod) {
    WriteClass(File(L"classes"), "App",
               "method main\n  prop app.home\n  prop java.class.path\n  prop unset.property\n"
               "  env TARN_STANDIN_SAMPLE\n  env TARN_STANDIN_UNSET\nend\n"
               "method secondaryMain int\n  argc\n  return 7\n  out never printed\nend\n");
    SetEnvironmentVariableW(L"TARN_STANDIN_SAMPLE", L"v\u00e4lue");
    SetEnvironmentVariableW(L"TARN_STANDIN_UNSET", nullptr);
    const std::string classPath = ToNarrow(File(L"classes"));
    LoadedJvm jvm;
    ASSERT_EQ(jvm.Create({"-Djava.class.path=" + classPath, "-Dapp.home=C:\\Program Files\\App"}), JNI_OK);
    ASSERT_TRUE(RedirectStream(jvm.env, File(L"out.txt"), false, "setOut"));

    CallMain(jvm.env, "App", {});
    jclass app = jvm.env->FindClass("App");
    jmethodID secondary = jvm.env->GetStaticMethodID(app, "secondaryMain", "([Ljava/lang/String;)I");
    ASSERT_NE(secondary, nullptr);
    EXPECT_EQ(jvm.env->CallStaticIntMethod(app, secondary, NewJavaStringArray(jvm.env, {L"a", L"b"})), 7);

    SetEnvironmentVariableW(L"TARN_STANDIN_SAMPLE", nullptr);
    EXPECT_THAT(ReadOutputLines(File(L"out.txt")),
                ElementsAre("app.home=C:\\Program Files\\App", "java.class.path=" + classPath, "unset.property=null",
                            "TARN_STANDIN_SAMPLE=välue", "TARN_STANDIN_UNSET=null", "2"));
    const Trace trace = ReadTrace();
    EXPECT_TRUE(trace.Has("CallStaticIntMethod returned", "7"));
    EXPECT_TRUE(NoWarnings(trace));
}

TEST_F(Programs, MissingClassesAndMethodsGiveNullWithTheExceptionARealVmRaises) {
    WriteClass(File(L"classes"), "com/example/NoMain", "method other\nend\n");
    WriteClass(File(L"classes"), "com/example/Broken", "method main\n  out fine\n  jump 3\nend\n");
    LoadedJvm jvm;
    ASSERT_EQ(jvm.Create({"-Djava.class.path=" + ToNarrow(File(L"classes"))}), JNI_OK);
    ASSERT_TRUE(RedirectStream(jvm.env, File(L"err.txt"), false, "setErr"));
    JNIEnv* env = jvm.env;

    EXPECT_EQ(env->FindClass("com/example/Missing"), nullptr);
    env->ExceptionDescribe();
    EXPECT_EQ(env->FindClass("com.example.NoMain"), nullptr) << "FindClass takes slashes";
    env->ExceptionDescribe();
    jclass noMain = env->FindClass("com/example/NoMain");
    ASSERT_NE(noMain, nullptr);
    EXPECT_EQ(env->GetStaticMethodID(noMain, "main", "([Ljava/lang/String;)V"), nullptr);
    env->ExceptionDescribe();
    EXPECT_EQ(env->GetMethodID(noMain, "other", "([Ljava/lang/String;)V"), nullptr)
        << "a static method is no instance method";
    env->ExceptionDescribe();
    EXPECT_EQ(env->FindClass("com/example/Broken"), nullptr);
    env->ExceptionDescribe();
    EXPECT_EQ(env->ExceptionOccurred(), nullptr) << "ExceptionDescribe clears";

    EXPECT_THAT(ReadOutputLines(File(L"err.txt")),
                ElementsAre("Exception in thread \"main\" java.lang.NoClassDefFoundError: com/example/Missing",
                            "Exception in thread \"main\" java.lang.NoClassDefFoundError: com.example.NoMain",
                            "Exception in thread \"main\" java.lang.NoSuchMethodError: "
                            "static Lcom/example/NoMain;.main([Ljava/lang/String;)V",
                            "Exception in thread \"main\" java.lang.NoSuchMethodError: "
                            "Lcom/example/NoMain;.other([Ljava/lang/String;)V",
                            "Exception in thread \"main\" java.lang.ClassFormatError: com/example/Broken.class, "
                            "line 3: unknown command 'jump'"));
    EXPECT_TRUE(NoWarnings(ReadTrace()));
}

TEST_F(Programs, AnExceptionFromMainStaysPendingAndItsStackTraceCanBePrintedIntoAByteArray) {
    WriteClass(
        File(L"classes"), "com/example/App",
        "method main\n  out before\n  throw java.lang.IllegalStateException Schlo\xc3\x9f kaputt\n  out after\nend\n");
    LoadedJvm jvm;
    ASSERT_EQ(jvm.Create({"-Djava.class.path=" + ToNarrow(File(L"classes"))}), JNI_OK);
    ASSERT_TRUE(RedirectStream(jvm.env, File(L"out.txt"), true, "setOut"));

    CallMain(jvm.env, "com/example/App", {});
    jthrowable exception = jvm.env->ExceptionOccurred();
    ASSERT_NE(exception, nullptr);
    jvm.env->ExceptionClear();
    EXPECT_EQ(StackTraceText(jvm.env, exception),
              "java.lang.IllegalStateException: Schloß kaputt\r\n\tat com.example.App.main(App.java:3)\r\n");
    EXPECT_THAT(ReadOutputLines(File(L"out.txt")), ElementsAre("before"));
    const Trace trace = ReadTrace();
    EXPECT_TRUE(trace.Has("CallStaticVoidMethod returned", "void [java/lang/IllegalStateException pending]"));
    EXPECT_TRUE(NoWarnings(trace));
}

TEST_F(Programs, FileStreamsTruncateOrAppendAndABadNameThrowsFileNotFoundException) {
    WriteClass(File(L"classes"), "App", "method main\n  out run\n  err problem\nend\n");
    WriteBytes(File(L"out.txt"), "old\r\n");
    WriteBytes(File(L"err.txt"), "old\r\n");
    LoadedJvm jvm;
    ASSERT_EQ(jvm.Create({"-Djava.class.path=" + ToNarrow(File(L"classes"))}), JNI_OK);
    ASSERT_TRUE(RedirectStream(jvm.env, File(L"out.txt"), false, "setOut"));
    ASSERT_TRUE(RedirectStream(jvm.env, File(L"err.txt"), true, "setErr"));
    CallMain(jvm.env, "App", {});

    const std::wstring badName = File(L"no such folder") + L"\\x.txt";
    EXPECT_FALSE(RedirectStream(jvm.env, badName, false, "setOut"));
    jthrowable failure = jvm.env->ExceptionOccurred();
    ASSERT_NE(failure, nullptr);
    jvm.env->ExceptionDescribe();
    CallMain(jvm.env, "App", {});

    EXPECT_THAT(ReadOutputLines(File(L"out.txt")), ElementsAre("run", "run"))
        << "the failed redirection kept System.out";
    const std::vector<std::string> errors = ReadOutputLines(File(L"err.txt"));
    ASSERT_EQ(errors.size(), 4u);
    EXPECT_EQ(errors[0], "old");
    EXPECT_EQ(errors[1], "problem");
    EXPECT_EQ(
        errors[2].rfind("Exception in thread \"main\" java.io.FileNotFoundException: " + ToUtf8(badName) + " (", 0), 0u)
        << errors[2];
    EXPECT_EQ(errors[3], "problem");
    EXPECT_TRUE(NoWarnings(ReadTrace()));
}

TEST_F(Programs, TheLauncherHelperLoadsByDottedNameAndTheBootLoaderFindsOnlyRuntimeClasses) {
    WriteClass(File(L"classes"), "com/example/App", kPrintingMain);
    LoadedJvm jvm;
    ASSERT_EQ(jvm.Create({"-Djava.class.path=" + ToNarrow(File(L"classes"))}), JNI_OK);
    auto findBootClass =
        reinterpret_cast<jclass(JNICALL*)(JNIEnv*, const char*)>(jvm.Entry("JVM_FindClassFromBootLoader"));
    EXPECT_EQ(findBootClass(jvm.env, "com/example/App"), nullptr);
    EXPECT_EQ(jvm.env->ExceptionOccurred(), nullptr);
    jclass helper = findBootClass(jvm.env, "sun/launcher/LauncherHelper");
    ASSERT_NE(helper, nullptr);
    jmethodID check = jvm.env->GetStaticMethodID(helper, "checkAndLoadMain", "(ZILjava/lang/String;)Ljava/lang/Class;");
    ASSERT_NE(check, nullptr);
    jobject mainClass =
        jvm.env->CallStaticObjectMethod(helper, check, JNI_TRUE, 1, NewJavaString(jvm.env, L"com.example.App"));
    ASSERT_NE(mainClass, nullptr);
    EXPECT_NE(jvm.env->GetStaticMethodID(static_cast<jclass>(mainClass), "main", "([Ljava/lang/String;)V"), nullptr);
    const Trace trace = ReadTrace();
    EXPECT_TRUE(trace.Has(
        "CallStaticObjectMethod",
        R"(sun/launcher/LauncherHelper.checkAndLoadMain(ZILjava/lang/String;)Ljava/lang/Class; (true, 1, "com.example.App"))"));
    EXPECT_TRUE(trace.Has("CallStaticObjectMethod returned", "class com/example/App"));
    EXPECT_TRUE(NoWarnings(trace));
}

TEST_F(Programs, ThreadDetachingWithAPendingExceptionPrintsItAsUncaught) {
    WriteClass(File(L"classes"), "App", "method main\n  throw com.example.AppError out of luck\nend\n");
    LoadedJvm jvm;
    ASSERT_EQ(jvm.Create({"-Djava.class.path=" + ToNarrow(File(L"classes"))}), JNI_OK);
    ASSERT_TRUE(RedirectStream(jvm.env, File(L"err.txt"), false, "setErr"));
    CallMain(jvm.env, "App", {});
    ASSERT_NE(jvm.env->ExceptionOccurred(), nullptr);
    EXPECT_EQ(jvm.vm->DetachCurrentThread(), JNI_OK);
    EXPECT_THAT(
        ReadOutputLines(File(L"err.txt")),
        ElementsAre("Exception in thread \"main\" com.example.AppError: out of luck", "\tat App.main(App.java:2)"));
}

}  // namespace
}  // namespace tarn::test
