#include "vm/StreamRedirection.h"

#include "base/Files.h"
#include "base/Format.h"
#include "base/StringTable.h"
#include "launcher/Settings.h"
#include "launcher/UserSettings.h"
#include "vm/DateTimePattern.h"
#include "vm/JavaStrings.h"

namespace tarn {
namespace {

constexpr int kPictureBufferLength = 260;

// A failed call leaves the buffer empty; its text up to the terminator is used either way.
template <typename FormatFunction>
WString FormatPicture(FormatFunction format, const SYSTEMTIME& timestamp, const WString& picture) {
    wchar_t buffer[kPictureBufferLength] = {};
    format(LOCALE_USER_DEFAULT, 0, &timestamp, picture.c_str(), buffer, kPictureBufferLength);
    buffer[kPictureBufferLength - 1] = L'\0';
    return buffer;
}

constexpr unsigned kProductFileReason = 253;

bool HasPattern(const WString& name) { return name.find(L'%') != WString::npos; }

// The product's program and settings file, its per-user file, and each paired product's three.
// Compared by identity, so that no other spelling of a name, and no link to the file, gets past.
bool IsProductFile(const Launcher& launcher, const WString& name) {
    const std::optional<FileIdentity> target = IdentityOf(name);
    const auto is = [&](const WString& file) { return !file.empty() && IdentityOf(file) == target; };
    if (!target) return false;
    const WString module = ModulePath();
    WString settings;
    if (is(module) || is(UserSettingsPath(launcher, false)) || (SettingsPathFor(module, settings) && is(settings)))
        return true;
    for (const WString* pair : {&launcher.pairProduct, &launcher.machines.arm64Product}) {
        if (!pair->empty() && (is(*pair) || is(BuildUserSettingsPath(launcher, *pair, false)) ||
                               (PairSettingsPath(*pair, settings) && is(settings))))
            return true;
    }
    return false;
}

// Printed as the VM prints a file that FileOutputStream cannot open, with the reason.
void DescribeRefusal(JNIEnv* env, const WString& name) {
    LocalRef message(env, NewJavaString(env, Format(LoadText(kProductFileReason), {name})));
    if (message.get() != nullptr) {
        const char* signature = "(Ljava/lang/String;)V";
        LocalRef exception(env, NewJavaObject(env, "java/io/FileNotFoundException", signature, message.get()));
        if (exception.get() != nullptr) env->Throw(static_cast<jthrowable>(exception.get()));
    }
    if (env->ExceptionCheck()) env->ExceptionDescribe();
}

// A product file is never opened: opening it for output would already empty it. True once installed.
bool RedirectOrDescribe(const Launcher& launcher, const WString& name, bool append, StandardStream which) {
    JNIEnv* env = launcher.jniEnv;
    if (IsProductFile(launcher, name)) {
        DescribeRefusal(env, name);
        return false;
    }
    if (RedirectStandardStream(env, name, append, which)) return true;
    if (env->ExceptionCheck()) env->ExceptionDescribe();
    return false;
}

}  // namespace

void ExpandDateTimePattern(WString& name, const SYSTEMTIME& timestamp) {
    const std::optional<PatternParts> parts = SplitDateTimePattern(name);
    if (!parts) return;
    WString picture = ReplaceMilliseconds(parts->pattern, timestamp.wMilliseconds);
    // The date pass reads the time pass's output, letters it produced included.
    picture = FormatPicture(GetTimeFormatW, timestamp, picture);
    picture = FormatPicture(GetDateFormatW, timestamp, picture);
    name = parts->leading + picture + parts->trailing;
}

bool RedirectStandardStream(JNIEnv* env, const WString& name, bool append, StandardStream which) {
    // A relative name is the Java program's relative name: it resolves against the current folder.
    CreateFolderTree(FullPathName(name));
    LocalRef javaName(env, NewJavaString(env, name));
    if (javaName.get() == nullptr) return false;
    LocalRef file(env, NewJavaObject(env, "java/io/FileOutputStream", "(Ljava/lang/String;Z)V", javaName.get(),
                                   static_cast<jboolean>(append ? JNI_TRUE : JNI_FALSE)));
    if (file.get() == nullptr) return false;
    LocalRef print(env, NewJavaObject(env, "java/io/PrintStream", "(Ljava/io/OutputStream;)V", file.get()));
    if (print.get() == nullptr) return false;
    LocalRef system(env, env->FindClass("java/lang/System"));
    if (system.get() == nullptr) return false;
    const auto systemClass = static_cast<jclass>(system.get());
    const char* setter = which == StandardStream::Output ? "setOut" : "setErr";
    const jmethodID install = env->GetStaticMethodID(systemClass, setter, "(Ljava/io/PrintStream;)V");
    if (install == nullptr) return false;
    env->CallStaticVoidMethod(systemClass, install, print.get());
    if (env->ExceptionCheck()) {
        env->ExceptionDescribe();
        return false;
    }
    return true;
}

void RedirectStandardStreams(Launcher& launcher) {
    if (HasPattern(launcher.outputFile) || HasPattern(launcher.errorFile)) {
        SYSTEMTIME now{};
        GetLocalTime(&now);
        if (HasPattern(launcher.outputFile)) ExpandDateTimePattern(launcher.outputFile, now);
        if (HasPattern(launcher.errorFile)) ExpandDateTimePattern(launcher.errorFile, now);
    }
    if (!launcher.outputFile.empty())
        RedirectOrDescribe(launcher, launcher.outputFile, launcher.outputAppend, StandardStream::Output);
    if (!launcher.errorFile.empty() &&
        RedirectOrDescribe(launcher, launcher.errorFile, launcher.errorAppend, StandardStream::Error)) {
        launcher.javaLaunch.capture.NoteErrorFile(FullPathName(launcher.errorFile));
    }
}

}  // namespace tarn
