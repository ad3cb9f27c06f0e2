// The application class path: folders and jar files (also an executable with a jar appended).
#pragma once
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "tests/standin/runtime/Zip.h"

namespace tarn::standin {

class ClassPath {
public:
    void Set(const std::u16string& classPath);  // entries separated by ";", empty ones skipped
    // The first entry that holds the file (a/b/C.class), in class path order.
    std::optional<std::string> Read(const std::string& entryName);
    // An entry of one jar file, e.g. its META-INF/MANIFEST.MF.
    std::optional<std::string> ReadFromJar(const std::wstring& jarPath, const std::string& entryName);

private:
    const ZipArchive* Jar(const std::wstring& path);

    std::vector<std::wstring> entries_;
    std::map<std::wstring, std::unique_ptr<ZipArchive>> jars_;  // null: not a readable archive
};

}  // namespace tarn::standin
