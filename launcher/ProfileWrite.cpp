#include "launcher/ProfileWrite.h"

#include <windows.h>

#include "base/Handles.h"
#include "base/PathText.h"

namespace tarn {

namespace {

// A temporary file that is deleted unless it was put in place.
class TemporaryFile {
public:
    explicit TemporaryFile(WString path) : path_(std::move(path)) {}
    ~TemporaryFile() {
        if (!path_.empty()) DeleteFileW(path_.c_str());
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;
    const WString& Path() const { return path_; }
    void Keep() { path_.clear(); }

private:
    WString path_;
};

uint32_t LastErrorOr(uint32_t fallback) {
    const DWORD error = GetLastError();
    return error != 0 ? error : fallback;
}

// A file that is read-only or that another program holds open without sharing is left alone.
uint32_t CheckReplaceable(const WString& path) {
    HandleHolder file(CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    return file ? 0 : LastErrorOr(ERROR_ACCESS_DENIED);
}

// The profile functions store a file's text as UTF-16 when it starts with this mark.
uint32_t WriteUnicodeMark(const WString& path) {
    HandleHolder file(
        CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    const unsigned char mark[2] = {0xFF, 0xFE};
    DWORD written = 0;
    if (!file || !WriteFile(file.get(), mark, sizeof mark, &written, nullptr)) return LastErrorOr(ERROR_WRITE_FAULT);
    return 0;
}

// Reads back what was written: a file in an 8-bit code page cannot hold every path.
bool ValueReadsBack(const WString& path, const WString& section, const WString& key, const WString& value) {
    WString stored(value.size() + 2, L'\0');
    const DWORD length = GetPrivateProfileStringW(section.c_str(), key.c_str(), L"", stored.data(),
                                                  static_cast<DWORD>(stored.size()), path.c_str());
    return stored.substr(0, length) == value;
}

}  // namespace

uint32_t WriteProfileValueSafely(const WString& path, const WString& section, const WString& key,
                                 const WString& value) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    const bool exists = attributes != INVALID_FILE_ATTRIBUTES;
    if (!exists && GetLastError() != ERROR_FILE_NOT_FOUND) return LastErrorOr(ERROR_PATH_NOT_FOUND);
    if (exists && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) return ERROR_ACCESS_DENIED;
    if (exists) {
        if (const uint32_t error = CheckReplaceable(path)) return error;
    }
    wchar_t copyName[MAX_PATH + 16] = {};
    if (GetTempFileNameW(FolderOfPath(path).c_str(), L"ini", 0, copyName) == 0) return LastErrorOr(ERROR_WRITE_FAULT);
    TemporaryFile copy(copyName);
    const uint32_t prepared = exists ? (CopyFileW(path.c_str(), copy.Path().c_str(), FALSE) ? 0 : LastErrorOr(ERROR_WRITE_FAULT))
                                     : WriteUnicodeMark(copy.Path());
    if (prepared != 0) return prepared;
    if (!WritePrivateProfileStringW(section.c_str(), key.c_str(), value.c_str(), copy.Path().c_str()))
        return LastErrorOr(ERROR_WRITE_FAULT);
    if (!ValueReadsBack(copy.Path(), section, key, value)) return ERROR_NO_UNICODE_TRANSLATION;
    const BOOL swapped = exists ? ReplaceFileW(path.c_str(), copy.Path().c_str(), nullptr,
                                               REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr)
                                : MoveFileExW(copy.Path().c_str(), path.c_str(), MOVEFILE_WRITE_THROUGH);
    if (!swapped) return LastErrorOr(ERROR_WRITE_FAULT);
    copy.Keep();
    return 0;
}

}  // namespace tarn
