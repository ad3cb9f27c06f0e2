// Publishes the chosen runtime in the process environment before the VM is loaded, so that the
// Java program, the native libraries it loads and the processes it starts all find it.
#include <windows.h>

#include "base/Conversion.h"
#include "base/Environment.h"
#include "base/PathText.h"
#include "launcher/Settings.h"
#include "vm/EnvironmentText.h"
#include "vm/OptionPaths.h"
#include "vm/VmHost.h"

namespace tarn {

static void SetVariable(const wchar_t* name, const WString& value) { SetEnvironmentVariableW(name, value.c_str()); }

// Both separators the setting leaves open are ";", so each folder stays a list element of its own.
static bool AddLibraryPathOption(Launcher& launcher) {
    WString module;
    const WString exeFolder = GetModulePath(launcher.reporter, module) ? WithTrailingBackslash(FolderOfPath(module)) : WString();
    WString head = LibraryPathHead(launcher.libraryPath, exeFolder);
    head = ExpandEnvironment(head);
    WString tail = LibraryPathTail(launcher.jvmPath);
    tail = ExpandEnvironment(tail);
    launcher.libraryPath = JoinPathList(head, tail);
    // A folder that does not exist adds nothing to the search, so one the code page cannot name is
    // left out (an inherited Path may hold such leftovers).
    NarrowString narrow;
    if (!NarrowPathList(launcher, launcher.libraryPath, true, narrow)) return false;
    launcher.vmOptions.push_back("-Djava.library.path=" + narrow);
    return true;
}

bool ProcessEnvironmentSetup(Launcher& launcher) {
    SetVariable(L"TARN_JVM_PATH", launcher.jvmPath);
    SetVariable(L"TARN_JVM_HOME", RuntimeHomeOf(launcher.jvmPath));
    // Before Path changes: the library path takes in the previous one.
    if (!launcher.libraryPath.empty() && !AddLibraryPathOption(launcher)) return false;
    WString path = SearchPathText(launcher.systemPath, launcher.jvmPath);
    path = ExpandEnvironment(path);
    SetVariable(L"Path", path);
    return true;
}

}  // namespace tarn
