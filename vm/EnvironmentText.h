// The texts that the launcher puts into its process environment for the Java program, before
// environment references are expanded. Windows-free.
#pragma once
#include "base/Text.h"

namespace tarn {

// The runtime's home: three levels above jvm.dll (bin\<vm>\jvm.dll), whatever the layout.
WString RuntimeHomeOf(const WString& jvmPath);
// The runtime's bin folder: two levels above jvm.dll.
WString RuntimeBinOf(const WString& jvmPath);
// head;tail without an empty element when head already ends in ";" (or is empty).
WString JoinPathList(const WString& head, const WString& tail);
// The new "Path" before expansion: the System Path folders, the previous Path, the runtime's bin.
WString SearchPathText(const WString& systemPath, const WString& jvmPath);
// The library path before expansion up to the previous Path: Library Path, the executable's
// folder, the current folder, the previous Path.
WString LibraryPathHead(const WString& libraryPath, const WString& exeFolder);
// The piece that follows the expanded head: the runtime's lib folder.
WString LibraryPathTail(const WString& jvmPath);

}  // namespace tarn
