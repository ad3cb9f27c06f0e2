// How the Java program starts, as the java command's launch modes: from a main class ("Main
// Class"), from a jar (-jar, "Main Jar" or the executable itself with "Embedded Jar"), or from a
// module (-m, "Main Module"). The runtime's launcher helper loads the main class in each mode, so
// the jar's manifest and the module's descriptor are the runtime's business; the launcher reads
// no jar.
#pragma once
#include <optional>

#include "base/Text.h"
#include "jre/JavaVersion.h"
#include "vm/StartCapture.h"

namespace tarn {

class Launcher;
class SettingsStore;
struct Reporter;

// The numbers are those of the launcher helper's checkAndLoadMain.
enum class LaunchMode : int { Class = 1, Jar = 2, Module = 3 };

struct JavaLaunch {
    LaunchMode mode = LaunchMode::Class;
    WString entry;  // "Main Jar" as written (empty: the executable) or "Main Module": name or name/class
    WString what;   // what the launcher helper gets: the jar as the class path names it, or the module
    StartCapture capture;
};

// Which main setting the settings give. Missing: none, for the caller to report; Conflicting:
// two of them, or a jar with a class path, already reported.
enum class MainEntry { Given, Missing, Conflicting };
MainEntry ReadMainEntry(const Reporter& reporter, SettingsStore& settings, const WString& mainClass, JavaLaunch& launch);

// The feature version of the chosen runtime, read when first asked: the registry's version, else
// the runtime's "release" file; 0 when neither tells.
class RuntimeVersion {
public:
    explicit RuntimeVersion(const Launcher& launcher) : launcher_(launcher) {}
    int Feature();
    WString Home() const;
    WString Text();  // as the user reads it, "unknown" when not known

private:
    const Launcher& launcher_;
    std::optional<JavaVersion> version_;
    bool read_ = false;
};

// The class path, module path and main module options of the launch mode; false after a message.
// javaWords receives the same as words of the java command.
bool AppendLaunchOptions(Launcher& launcher, SettingsStore& settings, const WString& exePath, RuntimeVersion& runtime,
                         WStringList& javaWords);
// The "java" command of the discovery log: the runtime's java.exe, the words, the main entry and
// the arguments of main, quoted for cmd.exe.
void LogJavaCommand(const Launcher& launcher, WStringList javaWords);

}  // namespace tarn
