#include "vm/StreamRedirection.h"

#include "base/Files.h"
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

bool HasPattern(const WString& name) { return name.find(L'%') != WString::npos; }

void RedirectOrDescribe(JNIEnv* env, const WString& name, bool append, StandardStream which) {
    if (!RedirectStandardStream(env, name, append, which) && env->ExceptionCheck()) env->ExceptionDescribe();
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
        RedirectOrDescribe(launcher.jniEnv, launcher.outputFile, launcher.outputAppend, StandardStream::Output);
    if (!launcher.errorFile.empty())
        RedirectOrDescribe(launcher.jniEnv, launcher.errorFile, launcher.errorAppend, StandardStream::Error);
}

}  // namespace tarn
