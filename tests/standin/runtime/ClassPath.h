// The application class path: its folders, in order (jar files hold nothing for this runtime).
#pragma once
#include <optional>
#include <string>
#include <vector>

namespace tarn::standin {

class ClassPath {
public:
    void Set(const std::u16string& classPath);  // entries separated by ";", empty ones skipped
    // The first folder that holds the file (a/b/C.class), in class path order.
    std::optional<std::string> Read(const std::string& entryName);

private:
    std::vector<std::wstring> entries_;
};

}  // namespace tarn::standin
