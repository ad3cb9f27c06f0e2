#include "vm/JavaLaunch.h"

#include "base/Conversion.h"
#include "base/Environment.h"
#include "base/Files.h"
#include "base/LogFile.h"
#include "base/PathText.h"
#include "base/StringTable.h"
#include "jre/ReleaseFile.h"
#include "launcher/Launcher.h"
#include "launcher/Settings.h"
#include "vm/ClassPath.h"
#include "vm/CommandLineQuoting.h"
#include "vm/EnvironmentText.h"
#include "vm/OptionGate.h"
#include "vm/OptionPaths.h"

namespace tarn {
namespace {

// Empty: 209, the setting names nothing. Otherwise none of its entries exists: name the first.
void ReportEmptyClassPath(const Launcher& launcher, const ClassPath& built) {
    if (built.firstMissing.empty()) {
        ShowErrorBox(launcher.reporter, 209);
    } else {
        ShowFormattedError(launcher.reporter, 252, {built.firstMissing});
    }
}

// The main jar's full path: "Main Jar" with its references expanded, in the executable's folder
// when relative; the executable itself for "Embedded Jar".
WString MainJarPath(const WString& entry, const WString& exePath) {
    if (entry.empty()) return exePath;
    const WString path = SearchPatternOf(ExpandEnvironment(entry), FolderOfPath(exePath));
    const WString full = FullPathName(path);
    return full.empty() ? path : full;
}

// The runtime must know modules (9 and later) and have the launcher helper for jar and module mode.
bool RuntimeCanStart(Launcher& launcher, SettingsStore& settings, RuntimeVersion& runtime) {
    const LaunchMode mode = launcher.javaLaunch.mode;
    const bool modules = mode == LaunchMode::Module || !settings.Read(kClassPathSection, L"Module Path").empty();
    const bool tooOld = modules && runtime.Feature() != 0 && runtime.Feature() < 9;
    if (!tooOld && (mode == LaunchMode::Class || launcher.findClassFromBootLoader != nullptr)) return true;
    const WString setting = mode == LaunchMode::Module ? L"Main Module" : tooOld ? L"Module Path" : L"Main Jar";
    ShowFormattedError(launcher.reporter, tooOld ? 403 : 404, {setting, runtime.Home(), runtime.Text()});
    return false;
}

// A path list as an 8-bit option; 'narrowed' receives the list in the form the runtime gets.
bool AppendPathOption(Launcher& launcher, const char* option, const WString& list, WString& narrowed) {
    NarrowString narrow;
    if (!NarrowPathList(launcher, list, false, narrow)) return false;
    launcher.vmOptions.push_back(option + narrow);
    narrowed = FromNarrow(narrow);
    return true;
}

bool AppendClassPath(Launcher& launcher, SettingsStore& settings, const WString& exePath, WStringList& javaWords) {
    JavaLaunch& launch = launcher.javaLaunch;
    const bool jar = launch.mode == LaunchMode::Jar;
    // As java -jar: the jar alone is the class path.
    WString classPath = jar ? MainJarPath(launch.entry, exePath) : WString();
    if (jar && !FileExists(classPath)) {
        ShowFormattedError(launcher.reporter, 402, {classPath});
        return false;
    }
    if (!jar) {
        const ClassPath built = BuildClassPath(settings.Read(kClassPathSection, L"Class Path"), FolderOfPath(exePath));
        classPath = built.text;
        if (EqualsNoCase(settings.Read(kApplicationSection, L"Embedded Jar"), L"Yes")) classPath = exePath + L";" + classPath;
        // A modular program may have no class path; the setting absent is no mistake then.
        if (classPath.empty() && launch.mode == LaunchMode::Module && built.firstMissing.empty()) return true;
        if (classPath.empty()) {
            ReportEmptyClassPath(launcher, built);
            return false;
        }
    }
    // The class path is final: its references were expanded once, and names found on disk are
    // taken as they are.
    WString narrowed;
    if (!AppendPathOption(launcher, "-Djava.class.path=", classPath, narrowed)) return false;
    if (jar) {
        launch.what = narrowed;
    } else {
        javaWords.push_back(L"-cp");
        javaWords.push_back(narrowed);
    }
    return true;
}

}  // namespace

MainEntry ReadMainEntry(const Reporter& reporter, SettingsStore& settings, const WString& mainClass, JavaLaunch& launch) {
    const WString module = settings.Read(kJreSection, L"Main Module");
    const WString jar = settings.Read(kJreSection, L"Main Jar");
    const bool embedded = EqualsNoCase(settings.Read(kApplicationSection, L"Embedded Jar"), L"Yes");
    // The settings that name the main entry, in order; "Embedded Jar" counts only beside "Main Jar".
    const WString given[] = {mainClass.empty() ? L"" : L"Main Class", module.empty() ? L"" : L"Main Module",
                             jar.empty() ? L"" : L"Main Jar", jar.empty() || !embedded ? L"" : L"Embedded Jar"};
    WStringList named;
    for (const WString& name : given) {
        if (!name.empty()) named.push_back(name);
    }
    if (named.size() > 1) {
        ShowFormattedError(reporter, 400, {named[0], named[1]});
        return MainEntry::Conflicting;
    }
    // Without a main setting, "Embedded Jar" makes the executable the main jar.
    if (named.empty() && !embedded) return MainEntry::Missing;
    launch.mode = !module.empty() ? LaunchMode::Module : mainClass.empty() ? LaunchMode::Jar : LaunchMode::Class;
    launch.entry = module.empty() ? jar : module;
    launch.what = module;
    if (launch.mode == LaunchMode::Jar && !settings.Read(kClassPathSection, L"Class Path").empty()) {
        ShowFormattedError(reporter, 401, {jar.empty() ? L"Embedded Jar" : L"Main Jar"});
        return MainEntry::Conflicting;
    }
    return MainEntry::Given;
}

int RuntimeVersion::Feature() {
    if (!read_) {
        read_ = true;
        if (launcher_.foundVersion.partCount > 0) {
            version_ = launcher_.foundVersion;
        } else {
            // The release file lies in the runtime's home, or for a JDK's own jre\ in the JDK's.
            version_ = ReadReleaseVersion(WithTrailingBackslash(Home()));
            if (!version_ && EqualsNoCase(FileNameOf(Home()), L"jre")) {
                version_ = ReadReleaseVersion(WithTrailingBackslash(StripPathComponents(Home(), 1)));
            }
        }
    }
    return version_ ? FeatureVersion(*version_) : 0;
}

WString RuntimeVersion::Home() const { return RuntimeHomeOf(launcher_.jvmPath); }

WString RuntimeVersion::Text() { return Feature() != 0 ? FormatVersion(*version_) : LoadText(225); }

bool AppendLaunchOptions(Launcher& launcher, SettingsStore& settings, const WString& exePath, RuntimeVersion& runtime,
                         WStringList& javaWords) {
    if (!RuntimeCanStart(launcher, settings, runtime) || !AppendClassPath(launcher, settings, exePath, javaWords)) return false;
    // "Module Path" is written and expanded as "Class Path" is.
    WString modulePath = BuildClassPath(settings.Read(kClassPathSection, L"Module Path"), FolderOfPath(exePath)).text;
    if (!modulePath.empty()) {
        modulePath.pop_back();  // the final ";"
        if (!AppendPathOption(launcher, "--module-path=", modulePath, modulePath)) return false;
        javaWords.push_back(L"--module-path=" + modulePath);
    }
    // As java -m: the runtime resolves the main module into the boot layer.
    const WString& what = launcher.javaLaunch.what;
    if (launcher.javaLaunch.mode == LaunchMode::Module) {
        launcher.vmOptions.push_back("-Djdk.module.main=" + ToNarrow(what.substr(0, what.find(L'/'))));
    }
    return true;
}

void LogJavaCommand(const Launcher& launcher, WStringList javaWords) {
    if (!LogEnabled()) return;
    const JavaLaunch& launch = launcher.javaLaunch;
    WString what = launch.what;
    if (launch.mode == LaunchMode::Class) {
        what = launcher.mainClass;
        ReplaceAll(what, L'/', L'.');
    } else {
        javaWords.push_back(launch.mode == LaunchMode::Jar ? L"-jar" : L"-m");
    }
    javaWords.push_back(what);
    javaWords.insert(javaWords.end(), launcher.arguments.begin(), launcher.arguments.end());
    AppendLogLines({L"java command: " + CommandLineOf(WithTrailingBackslash(RuntimeHomeOf(launcher.jvmPath)) + L"bin\\java.exe", javaWords)});
}

}  // namespace tarn
