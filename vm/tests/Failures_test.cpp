// Every failure of loading the runtime, creating the VM and finding main: its message box and -1.
#include <gtest/gtest.h>

#include "tests/kit/TextFiles.h"
#include "vm/tests/LaunchKit.h"

namespace tarn::test {
namespace {

WString CreateFailure(const WString& reason) {
    return L"JNI exception: failed to create the Java VM\nReason: " + reason + L".\n";
}

struct Outcome {
    RunResult result;
    Trace trace;
};

Outcome RunWith(LaunchApp& app, const WString& extraSettings, const std::string& script = "method main\nend\n") {
    app.WriteIni(extraSettings);
    app.WriteMain(script);
    // Braced initialisers run in order: the trace is read after the run.
    return Outcome{app.Run(), app.ReadTrace()};
}

TEST(Failures, ALibraryThatIsNoImageShowsMessage222WithTheSystemsCode) {
    LaunchApp app;
    WriteBytes(app.JvmPath(), "not a library");
    const Outcome run = RunWith(app, L"");
    ASSERT_TRUE(run.result.finished);
    EXPECT_EQ(run.result.ExitCode(), -1);
    EXPECT_EQ(run.result.DialogTexts(),
              WStringList{L"Failed to load Java VM library: " + app.JvmPath() + L" (errno = 193).\n"});
}

TEST(Failures, AFolderNamedLikeTheLibraryIsPassedOverForTheNextLibrary) {
    RuntimeSpec spec;
    spec.vms = {L"server"};
    LaunchApp app(spec);
    CreateDirectoryW((app.RuntimeHome() + L"\\bin\\client").c_str(), nullptr);
    ASSERT_TRUE(CreateDirectoryW(app.JvmPath().c_str(), nullptr));  // bin\client\jvm.dll, a folder
    app.WriteIni(L"");
    app.WriteMain("method main\n  env TARN_JVM_PATH\nend\n");
    EXPECT_EQ(PrintedValue(RunCleanly(app, 0), "TARN_JVM_PATH"), app.RuntimeHome() + L"\\bin\\server\\jvm.dll");
}

TEST(Failures, MissingInvocationEntryPointsShowMessage202WithCode127) {
    for (const JvmVariant variant : {JvmVariant::NoCreateJavaVm, JvmVariant::NoDefaultInitArgs}) {
        RuntimeSpec spec;
        spec.variant = variant;
        LaunchApp app(spec);
        const Outcome run = RunWith(app, L"");
        ASSERT_TRUE(run.result.finished);
        EXPECT_EQ(run.result.ExitCode(), -1);
        EXPECT_EQ(run.result.DialogTexts(), WStringList{L"Windows exception: cannot find CreateJavaVM JNI (errno = 127).\n"});
        EXPECT_FALSE(run.trace.Has("JNI_CreateJavaVM"));
    }
}

TEST(Failures, EachCreationResultShowsItsReasonAndUnlistedCodesNone) {
    const std::pair<const wchar_t*, WString> cases[] = {
        {L"-Xbogus", CreateFailure(L"unknown")},                       // unrecognised: JNI_ERR
        {L"-Xmx:P", CreateFailure(L"invalid arguments")},              // resolves to -Xmx0K
        {L"-Dtarn.standin.createResult=-5", CreateFailure(L"VM already created")},
        {L"-Dtarn.standin.createResult=3", CreateFailure(L"")},
    };
    for (const auto& [parameters, message] : cases) {
        LaunchApp app;
        const Outcome run = RunWith(app, WString(L"Virtual Machine Parameters=") + parameters + L"\r\n");
        ASSERT_TRUE(run.result.finished);
        EXPECT_EQ(run.result.ExitCode(), -1) << Utf8(parameters);
        EXPECT_EQ(run.result.DialogTexts(), WStringList{message});
        EXPECT_TRUE(NoWarnings(run.trace));
        EXPECT_FALSE(run.trace.Has("DestroyJavaVM")) << run.trace.Text();
    }
}

TEST(Failures, WithoutTheLauncherHelperAMissingClassShowsMessage215) {
    RuntimeSpec spec;
    spec.variant = JvmVariant::NoLauncherHelper;
    LaunchApp app(spec);
    app.WriteIni(L"", L"classes", L"com.example.Missing");
    app.WriteMain("method main\nend\n");
    const RunResult result = app.Run();
    ASSERT_TRUE(result.finished);
    EXPECT_EQ(result.ExitCode(), -1);
    EXPECT_EQ(result.DialogTexts(), WStringList{L"Could not find the main class com/example/Missing.\n"});
    const Trace trace = app.ReadTrace();
    EXPECT_TRUE(NoWarnings(trace));
    EXPECT_TRUE(trace.Has("FindClass", "\"com/example/Missing\"")) << trace.Text();
    EXPECT_EQ(Printed(trace, "stderr").size(), 1u);  // the pending exception, described
    // The VM thread leaves the VM before it ends, so the final DestroyJavaVM does not wait for it.
    EXPECT_TRUE(trace.Has("DetachCurrentThread returned"));
    EXPECT_TRUE(trace.Has("DestroyJavaVM returned", "0"));
}

TEST(Failures, WithTheLauncherHelperTheClassIsLoadedByItsDottedName) {
    LaunchApp app;
    app.WriteIni(L"", L"classes", L"com.example.App");
    app.WriteMain("method main\n  out started\nend\n", "com/example/App");
    const Trace trace = RunCleanly(app, 0);
    EXPECT_GE(FindCall(trace, "CallStaticObjectMethod", "\"com.example.App\""), 0) << trace.Text();
    EXPECT_FALSE(trace.Has("FindClass", "com/example/App"));
    EXPECT_EQ(Printed(trace), WStringList{L"started"});
}

TEST(Failures, AClassWithoutMainPrintsThePendingExceptionWithoutABox) {
    RuntimeSpec spec;
    spec.variant = JvmVariant::NoLauncherHelper;
    LaunchApp app(spec);
    const Outcome run = RunWith(app, L"", "method other\nend\n");
    ASSERT_TRUE(run.result.finished);
    EXPECT_EQ(run.result.ExitCode(), -1);
    EXPECT_EQ(run.result.DialogTexts(), WStringList{});
    EXPECT_TRUE(NoWarnings(run.trace));
    const WStringList errors = Printed(run.trace, "stderr");
    ASSERT_EQ(errors.size(), 1u) << run.trace.Text();
    EXPECT_NE(errors[0].find(L"NoSuchMethodError"), WString::npos) << Utf8(errors[0]);
}

TEST(Failures, TheLauncherHelpersOwnErrorEndsTheProcessAsItsRuntimeDoes) {
    LaunchApp app;
    app.WriteIni(L"", L"classes", L"com.example.Missing");
    app.WriteMain("method main\nend\n");
    const Trace trace = RunCleanly(app, 1);
    EXPECT_TRUE(trace.Has("Print", "Could not find or load main class com.example.Missing")) << trace.Text();
}

}  // namespace
}  // namespace tarn::test
