#include "base/Files.h"

#include "base/PathText.h"

namespace tarn {

// The attributes of what FindFirstFileW finds at the path; false when it finds nothing.
static bool FindAttributes(const WString& path, DWORD& attributes) {
    WIN32_FIND_DATAW data{};
    FindHandle search(FindFirstFileW(path.c_str(), &data));
    attributes = data.dwFileAttributes;
    return static_cast<bool>(search);
}

std::optional<FileIdentity> IdentityOf(const WString& path) {
    // No access is asked for, so a file that another program holds open, or a running program, answers too.
    HandleHolder file(CreateFileW(LongPathPattern(FullPathName(path)).c_str(), 0,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                  FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    BY_HANDLE_FILE_INFORMATION information{};
    if (!file || !GetFileInformationByHandle(file.get(), &information)) return std::nullopt;
    return FileIdentity{information.dwVolumeSerialNumber, information.nFileIndexHigh, information.nFileIndexLow};
}

bool PathExists(const WString& path) {
    DWORD attributes = 0;
    return FindAttributes(path, attributes);
}

bool FileExists(const WString& path) {
    DWORD attributes = 0;
    return FindAttributes(path, attributes) && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool FolderExists(const WString& path) { return IsAbsolutePath(path) && PathExists(path); }

bool RemoveFolder(const WString& path) {
    WString target = path;
    if (target.size() >= 260 && !StartsWith(target, L"\\\\?\\")) target = L"\\\\?\\" + target;
    return RemoveDirectoryW(target.c_str()) == 1;
}

DWORD CreateFolderTree(const WString& path) {
    if (FolderExists(path)) return 0;
    const bool unc = IsUncPath(path) || StartsWith(path, L"\\\\?\\UNC\\");
    const WStringList parts = SplitFolderPath(path);
    if (parts.empty()) return 0;
    WString current = parts.front();
    DWORD remembered = 0;
    for (size_t i = 1; i + 1 < parts.size(); ++i) {
        const WString next = current + L'\\' + parts[i];
        if (!CreateDirectoryW(next.c_str(), nullptr)) {
            const DWORD error = GetLastError();
            if (error != ERROR_ALREADY_EXISTS && !unc) {
                if (i > 1) RemoveFolder(current);
                return error;
            }
            remembered = error;
        }
        current = next;
    }
    return remembered == ERROR_ALREADY_EXISTS ? 0 : remembered;
}

// A prefixed path is taken literally by the system, so "..", "." and '/' are resolved here first,
// exactly as the system resolves them in a path of classic length.
WString FullPathName(const WString& path) {
    if (StartsWith(path, L"\\\\?\\")) return path;
    const DWORD size = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    if (size == 0) return {};
    WString full(size, L'\0');
    const DWORD written = GetFullPathNameW(path.c_str(), size, full.data(), nullptr);
    if (written == 0 || written >= size) return {};
    full.resize(written);
    return full;
}

WString ModulePath() {
    // A path that fills the buffer was cut: read again into a larger one.
    for (DWORD size = MAX_PATH; size <= 65536; size *= 2) {
        WString path(size, L'\0');
        const DWORD length = GetModuleFileNameW(nullptr, path.data(), size);
        if (length < size) {
            path.resize(length);
            return path;
        }
    }
    return {};
}

// Loaded at run time: the function is missing on systems without the DLL-directory update.
void AddDllSearchFolder(const WString& folder) {
    using AddDllDirectoryFunction = void*(WINAPI*)(const wchar_t*);
    HMODULE kernel = GetModuleHandleW(L"kernel32.dll");
    const auto add = reinterpret_cast<AddDllDirectoryFunction>(
        kernel == nullptr ? nullptr : GetProcAddress(kernel, "AddDllDirectory"));
    if (add != nullptr) add(folder.c_str());
}

}  // namespace tarn
