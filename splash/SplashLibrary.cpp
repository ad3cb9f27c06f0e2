#include "splash/SplashLibrary.h"

#include "base/Conversion.h"
#include "base/Files.h"
#include "base/OptionPath.h"
#include "base/PathText.h"
#include "splash/SplashRules.h"

namespace tarn {
namespace {

// The library's entries take 8-bit text and use the C calling convention.
using SplashInitFunction = void(__cdecl*)();
using SplashLoadFileFunction = int(__cdecl*)(const char*);
using SplashSetFileJarNameFunction = void(__cdecl*)(const char*, const char*);

template <typename Function>
Function Entry(HMODULE library, const char* name) {
    return reinterpret_cast<Function>(GetProcAddress(library, name));
}

// The library opens the name with the C runtime's fopen, which stops at MAX_PATH characters: a
// longer full name goes in its long-path form. Empty when no 8-bit form of the name exists.
WString NameTheLibraryOpens(const WString& picturePath, ShortPathReader shortPath) {
    const WString fitting = RepresentablePath(picturePath, SystemPathQueries(shortPath));
    const WString full = FullPathName(fitting);
    return full.size() < MAX_PATH ? fitting : LongPathPattern(full);
}

void AddFolderOf(const WString& path) {
    const WString folder = FolderOfPath(path);
    if (!folder.empty()) AddDllSearchFolder(folder);
}

}  // namespace

WString FindSplashLibrary(const WString& jvmPath) {
    const WString candidate = SplashLibraryCandidate(jvmPath);
    return !candidate.empty() && PathExists(candidate) ? candidate : WString();
}

bool StartSplashLibrary(Launcher& launcher, const WString& libraryPath, const WString& picturePath) {
    // A picture whose name has no form the library can open is left to the launcher's own window,
    // which reads any name.
    const WString fitting = NameTheLibraryOpens(picturePath, launcher.shortPathReader);
    if (fitting.empty()) return false;
    // The library's own dependencies live beside it and beside the VM library.
    AddFolderOf(libraryPath);
    AddFolderOf(launcher.jvmPath);
    const HMODULE library = LoadLibraryExW(libraryPath.c_str(), nullptr, LOAD_LIBRARY_SEARCH_DEFAULT_DIRS);
    if (library == nullptr) return false;
    const auto init = Entry<SplashInitFunction>(library, "SplashInit");
    const auto loadFile = Entry<SplashLoadFileFunction>(library, "SplashLoadFile");
    const auto setFileJarName = Entry<SplashSetFileJarNameFunction>(library, "SplashSetFileJarName");
    if (init == nullptr || loadFile == nullptr || setFileJarName == nullptr) return false;
    // Only a library that was initialised is ever told to close.
    const auto close = Entry<SplashCloseHolder::CloseFunction>(library, "SplashClose");
    if (close != launcher.splashClose.get()) launcher.splashClose.reset(close);
    const NarrowString picture = ToNarrow(fitting);
    init();
    loadFile(picture.c_str());
    setFileJarName(picture.c_str(), "");
    return true;
}

}  // namespace tarn
