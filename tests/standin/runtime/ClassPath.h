// The application class path: its folders and stored (uncompressed) jars, in order, and the
// exploded modules of the module path.
#pragma once
#include <optional>
#include <string>
#include <vector>

namespace tarn::standin {

class ClassPath {
public:
    void Set(const std::u16string& classPath);  // entries separated by ";", empty ones skipped
    void Add(const std::wstring& entry);
    // The first entry that holds the file (a/b/C.class), in class path order.
    std::optional<std::string> Read(const std::string& entryName);

private:
    std::vector<std::wstring> entries_;
};

// An entry of a stored zip file (a jar whose entries are not compressed); nothing when the file is
// no such zip or lacks the entry.
std::optional<std::string> ReadStoredEntry(const std::wstring& zip, const std::string& name);
std::optional<std::string> ReadWholeFile(const std::wstring& path);

// An exploded module: a folder holding module-info.class, here the lines "module NAME" and,
// optionally, "main a.b.C" (its ModuleMainClass).
struct ModuleFolder {
    std::string name;
    std::wstring folder;
    std::string mainClass;
};
// The module of that name in a module path entry itself or in a folder of the entry (the rule of
// ModuleFinder.of for folders), entries in order.
std::optional<ModuleFolder> FindModule(const std::u16string& modulePath, const std::string& name);

}  // namespace tarn::standin
