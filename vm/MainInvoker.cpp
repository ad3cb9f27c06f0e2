#include "vm/MainInvoker.h"

#include <windows.h>

#include "instance/SingleInstance.h"
#include "splash/Splash.h"
#include "report/Reporter.h"
#include "service/ServiceStatus.h"
#include "vm/ExceptionDialog.h"
#include "vm/JavaStrings.h"
#include "vm/EnvironmentText.h"
#include "vm/ModifiedUtf8.h"
#include "vm/StackTrace.h"

namespace tarn {
namespace {

constexpr unsigned kMainThrewFormat = 302;

// The fallbacks go on as if nothing happened, so nothing may stay pending from the helper.
void ForgetPendingException(JNIEnv* env) {
    if (env->ExceptionCheck()) env->ExceptionClear();
}

// The runtime's own launcher helper loads the class by its dotted name, as the java command does.
jclass LoadThroughLauncherHelper(Launcher& launcher) {
    JNIEnv* env = launcher.jniEnv;
    if (launcher.findClassFromBootLoader == nullptr) return nullptr;
    LocalRef helper(env, launcher.findClassFromBootLoader(env, "sun/launcher/LauncherHelper"));
    if (helper.get() == nullptr) return nullptr;
    const auto helperClass = static_cast<jclass>(helper.get());
    const jmethodID checkAndLoad =
        env->GetStaticMethodID(helperClass, "checkAndLoadMain", "(ZILjava/lang/String;)Ljava/lang/Class;");
    if (checkAndLoad == nullptr) return nullptr;
    const JavaLaunch& launch = launcher.javaLaunch;
    WString what = launch.what;  // the jar or the module
    if (launch.mode == LaunchMode::Class) {
        what = launcher.mainClass;
        ReplaceAll(what, L'/', L'.');
    }
    LocalRef name(env, NewJavaString(env, what));
    if (name.get() == nullptr) return nullptr;
    // true: the helper prints its own diagnostics; then the launch mode's number.
    return static_cast<jclass>(env->CallStaticObjectMethod(helperClass, checkAndLoad, JNI_TRUE,
                                                           static_cast<jint>(launch.mode), name.get()));
}

// In jar and module mode the helper chose the class; its name serves secondaryMain's look-up.
void RememberMainClassName(Launcher& launcher, jclass mainClass) {
    JNIEnv* env = launcher.jniEnv;
    LocalRef classClass(env, env->FindClass("java/lang/Class"));
    const jmethodID getName =
        classClass.get() ? env->GetMethodID(static_cast<jclass>(classClass.get()), "getName", "()Ljava/lang/String;") : nullptr;
    LocalRef name(env, getName ? env->CallObjectMethod(mainClass, getName) : nullptr);
    if (name.get() != nullptr) {
        StringUtfChars chars(env, static_cast<jstring>(name.get()));
        launcher.mainClass = FromModifiedUtf8(chars.get());
        ReplaceAll(launcher.mainClass, L'.', L'/');
    }
    ForgetPendingException(env);
}

// A jar or a module has no way but the launcher helper.
jclass LoadWithoutFallback(Launcher& launcher, jclass viaHelper) {
    if (viaHelper != nullptr) {
        RememberMainClassName(launcher, viaHelper);
        return viaHelper;
    }
    if (launcher.jniEnv->ExceptionCheck()) launcher.jniEnv->ExceptionDescribe();
    const bool jar = launcher.javaLaunch.mode == LaunchMode::Jar;
    ShowFormattedError(launcher.reporter, 404, {jar ? L"Main Jar" : L"Main Module", RuntimeHomeOf(launcher.jvmPath)});
    return nullptr;
}

jclass LoadThroughFindClass(Launcher& launcher) {
    JNIEnv* env = launcher.jniEnv;
    LocalRef name(env, NewJavaString(env, launcher.mainClass));
    if (name.get() == nullptr) {
        if (env->ExceptionCheck()) env->ExceptionDescribe();
        ShowFormattedError(launcher.reporter, 211, {launcher.mainClass});
        return nullptr;
    }
    StringUtfChars chars(env, static_cast<jstring>(name.get()));
    if (chars.get() == nullptr) {
        env->ExceptionDescribe();
        return nullptr;
    }
    const jclass mainClass = env->FindClass(chars.get());
    if (mainClass == nullptr) {
        env->ExceptionDescribe();
        ShowFormattedError(launcher.reporter, 215, {FromModifiedUtf8(chars.get())});
    }
    return mainClass;
}

jclass LoadMainClassOfMode(Launcher& launcher) {
    const jclass viaHelper = LoadThroughLauncherHelper(launcher);
    if (launcher.javaLaunch.mode != LaunchMode::Class) return LoadWithoutFallback(launcher, viaHelper);
    if (viaHelper != nullptr) return viaHelper;
    ForgetPendingException(launcher.jniEnv);
    return LoadThroughFindClass(launcher);
}

jclass LoadMainClass(Launcher& launcher) {
    const jclass mainClass = LoadMainClassOfMode(launcher);
    // A failure's exception, which the runtime printed, is shown too; from here on the program's output is its own.
    if (mainClass == nullptr) launcher.javaLaunch.capture.ReportIfStarting(launcher.reporter);
    launcher.javaLaunch.capture.End();
    return mainClass;
}

jmethodID FindMainMethod(Launcher& launcher, jclass mainClass) {
    JNIEnv* env = launcher.jniEnv;
    const jmethodID main = env->GetStaticMethodID(mainClass, "main", "([Ljava/lang/String;)V");
    if (main != nullptr) return main;
    if (env->ExceptionCheck()) {
        env->ExceptionDescribe();
    } else {
        ShowErrorBox(launcher.reporter, 216);
    }
    return nullptr;
}

// Ends the process through the VM with -1, as the program's own System.exit(-1) would.
void StopApplication(JNIEnv* env) {
    CallStaticVoid(env, "java/lang/System", "exit", "(I)V", jint{-1});
    if (env->ExceptionCheck()) env->ExceptionDescribe();
}

// The exception is set aside while the report calls into the VM, then raised again for Ignore (and
// when there is no report): DetachCurrentThread hands it to the VM's handler for uncaught
// exceptions, which prints it as for any Java thread that ends with one.
void AfterUncaughtException(Launcher& launcher) {
    JNIEnv* env = launcher.jniEnv;
    LocalRef exception(env, env->ExceptionOccurred());
    env->ExceptionClear();
    // The splash must not hide the report, nor stay over a program that goes on without it.
    CloseSplash(launcher);
    const auto throwable = static_cast<jthrowable>(exception.get());
    if (launcher.failureCheck && launcher.reporter.ShowsWindows() && ShowExceptionDialog(throwable, env)) StopApplication(env);
    // A service's standard error reaches nobody: the report goes to the event log.
    if (launcher.reporter.userInterface == UserInterface::EventLog)
        ShowFormattedError(launcher.reporter, kMainThrewFormat, {StackTraceText(throwable, env)});
    launcher.mainThrew = true;
    env->Throw(throwable);
}

// Steps up to and including the call of main; false after reporting what failed.
bool CallMain(Launcher& launcher) {
    JNIEnv* env = launcher.jniEnv;
    LocalRef mainClass(env, LoadMainClass(launcher));
    if (mainClass.get() == nullptr) return false;
    const auto klass = static_cast<jclass>(mainClass.get());
    const jmethodID main = FindMainMethod(launcher, klass);
    if (main == nullptr) return false;
    LocalRef arguments(env, NewJavaStringArray(env, launcher.arguments));
    if (arguments.get() == nullptr) {
        env->ExceptionDescribe();
        return false;
    }
    SignalMainStarted(launcher);
    ReportRunning(launcher.service, launcher.javaVm);
    env->CallStaticVoidMethod(klass, main, arguments.get());
    if (env->ExceptionCheck()) AfterUncaughtException(launcher);
    return true;
}

}  // namespace

bool InvokeMainClass(Launcher& launcher) {
    const bool called = CallMain(launcher);
    // A failure has been reported; what the VM still holds is printed before the thread leaves.
    if (!called && launcher.jniEnv->ExceptionCheck()) launcher.jniEnv->ExceptionDescribe();
    if (called && launcher.vmThreadStaysAttached) {
        // Runtimes of this vendor keep their creating thread attached: the process then ends
        // when the Java program calls System.exit.
        Sleep(INFINITE);
    }
    const bool detached = launcher.javaVm->DetachCurrentThread() == JNI_OK;
    launcher.jniEnv = nullptr;
    return called && detached;
}

}  // namespace tarn
