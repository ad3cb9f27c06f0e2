#include "tests/standin/runtime/ClassPath.h"

#include <windows.h>

#include "tests/standin/common/TraceLog.h"
#include "tests/standin/common/Utf.h"

namespace tarn::standin {
namespace {

std::optional<std::string> ReadWholeFile(const std::wstring& path) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return std::nullopt;
    std::string bytes;
    char buffer[65536];
    DWORD read = 0;
    while (ReadFile(file, buffer, sizeof buffer, &read, nullptr) && read > 0) bytes.append(buffer, read);
    CloseHandle(file);
    return bytes;
}

bool IsFolder(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

}  // namespace

void ClassPath::Set(const std::u16string& classPath) {
    entries_.clear();
    size_t start = 0;
    while (start <= classPath.size()) {
        size_t end = classPath.find(u';', start);
        if (end == std::u16string::npos) end = classPath.size();
        if (end > start) entries_.push_back(ToWide(classPath.substr(start, end - start)));
        start = end + 1;
    }
}

const ZipArchive* ClassPath::Jar(const std::wstring& path) {
    auto found = jars_.find(path);
    if (found == jars_.end()) {
        std::unique_ptr<ZipArchive> archive;
        if (std::optional<std::string> bytes = ReadWholeFile(path)) {
            if (std::optional<ZipArchive> parsed = ZipArchive::Parse(std::move(*bytes))) {
                archive = std::make_unique<ZipArchive>(std::move(*parsed));
            } else {
                TraceLine("ClassPath", "not a zip archive: " + ToUtf8(FromWide(path)));
            }
        }
        found = jars_.emplace(path, std::move(archive)).first;
    }
    return found->second.get();
}

std::optional<std::string> ClassPath::ReadFromJar(const std::wstring& jarPath, const std::string& entryName) {
    const ZipArchive* jar = Jar(jarPath);
    if (jar == nullptr || !jar->Has(entryName)) return std::nullopt;
    std::string error;
    std::optional<std::string> content = jar->Read(entryName, error);
    if (!content) TraceLine("ClassPath", ToUtf8(FromWide(jarPath)) + ": " + error);
    return content;
}

std::optional<std::string> ClassPath::Read(const std::string& entryName) {
    std::wstring relative = ToWide(FromUtf8(entryName));
    for (wchar_t& c : relative) {
        if (c == L'/') c = L'\\';
    }
    for (const std::wstring& entry : entries_) {
        if (IsFolder(entry)) {
            const std::wstring folder = entry.back() == L'\\' || entry.back() == L'/' ? entry : entry + L"\\";
            if (std::optional<std::string> bytes = ReadWholeFile(folder + relative)) return bytes;
        } else if (std::optional<std::string> bytes = ReadFromJar(entry, entryName)) {
            return bytes;
        }
    }
    return std::nullopt;
}

}  // namespace tarn::standin
