// Java programs for the stand-in: class scripts in folders, and jars as real zip archives.
#include <gtest/gtest.h>

#include <cstdint>

#include "base/Files.h"
#include "tests/standin/kit/Standin.h"

namespace tarn::test {
namespace {

// The platform's CRC-32 (the zip one), from ntdll.
uint32_t Crc32(const std::string& data) {
    using Compute = DWORD(WINAPI*)(DWORD, const BYTE*, INT);
    static const auto compute = reinterpret_cast<Compute>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "RtlComputeCrc32"));
    return compute(0, reinterpret_cast<const BYTE*>(data.data()), static_cast<INT>(data.size()));
}

void Put16(std::string& out, uint32_t value) {
    out += static_cast<char>(value & 0xFF);
    out += static_cast<char>((value >> 8) & 0xFF);
}

void Put32(std::string& out, uint32_t value) {
    Put16(out, value & 0xFFFF);
    Put16(out, value >> 16);
}

// The fields local and central headers share: version needed, flags (UTF-8 names), method (stored),
// time and date (1 January 1980), CRC, sizes and name length.
void PutCommonFields(std::string& out, const std::string& name, const std::string& content) {
    Put16(out, 10);
    Put16(out, 0x0800);
    Put16(out, 0);
    Put16(out, 0);
    Put16(out, 0x0021);
    Put32(out, Crc32(content));
    Put32(out, static_cast<uint32_t>(content.size()));
    Put32(out, static_cast<uint32_t>(content.size()));
    Put16(out, static_cast<uint32_t>(name.size()));
    Put16(out, 0);  // extra field length
}

void WriteFileBytes(const WString& path, const std::string& bytes, bool append) {
    CreateFolderTree(path);
    HandleHolder file(CreateFileW(path.c_str(), append ? FILE_APPEND_DATA : GENERIC_WRITE, 0, nullptr,
                                  append ? OPEN_EXISTING : CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD written = 0;
    if (!file || !WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) ||
        written != bytes.size()) {
        ADD_FAILURE() << "cannot write a Java program file (error " << GetLastError() << ")";
    }
}

std::string SlashedName(std::string className) {
    for (char& c : className) {
        if (c == '.') c = '/';
    }
    return className;
}

}  // namespace

std::pair<std::string, std::string> ClassEntry(const std::string& className, const std::string& script) {
    return {SlashedName(className) + ".class", script};
}

std::string JarBytes(const JarEntries& entries) {
    std::string archive;
    std::string directory;
    for (const auto& [name, content] : entries) {
        const auto offset = static_cast<uint32_t>(archive.size());
        Put32(archive, 0x04034b50);
        PutCommonFields(archive, name, content);
        archive += name;
        archive += content;
        Put32(directory, 0x02014b50);
        Put16(directory, 20);  // made by
        PutCommonFields(directory, name, content);
        Put16(directory, 0);  // comment length
        Put16(directory, 0);  // disk
        Put16(directory, 0);  // internal attributes
        Put32(directory, 0);  // external attributes
        Put32(directory, offset);
        directory += name;
    }
    const auto directoryOffset = static_cast<uint32_t>(archive.size());
    archive += directory;
    Put32(archive, 0x06054b50);
    Put16(archive, 0);
    Put16(archive, 0);
    Put16(archive, static_cast<uint32_t>(entries.size()));
    Put16(archive, static_cast<uint32_t>(entries.size()));
    Put32(archive, static_cast<uint32_t>(directory.size()));
    Put32(archive, directoryOffset);
    Put16(archive, 0);
    return archive;
}

void WriteClass(const WString& classPathFolder, const std::string& className, const std::string& script) {
    const std::string name = SlashedName(className);
    WString relative(MultiByteToWideChar(CP_UTF8, 0, name.data(), static_cast<int>(name.size()), nullptr, 0), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, name.data(), static_cast<int>(name.size()), relative.data(),
                        static_cast<int>(relative.size()));
    ReplaceAll(relative, L'/', L'\\');
    WString folder = classPathFolder;
    if (!folder.empty() && folder.back() != L'\\') folder += L'\\';
    WriteFileBytes(folder + relative + L".class", script, false);
}

void WriteJar(const WString& jarPath, const JarEntries& entries) { WriteFileBytes(jarPath, JarBytes(entries), false); }

// The archive keeps offsets relative to its own start, as when a jar is simply appended to a program;
// readers find it from the end-of-directory record at the end of the file.
void AppendJarToExecutable(const WString& exePath, const JarEntries& entries) {
    WriteFileBytes(exePath, JarBytes(entries), true);
}

}  // namespace tarn::test
