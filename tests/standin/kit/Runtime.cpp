// Where the stand-in libraries are, and runtime folders laid out the way installed runtimes are.
#include <gtest/gtest.h>

#include "base/Environment.h"
#include "base/Files.h"
#include "base/Handles.h"
#include "tests/standin/kit/Standin.h"

namespace tarn::test {
namespace {

WString StandinFolder(Arch arch) {
    static const wchar_t* const kTrees[] = {L"TARN_BUILD_DIR", L"TARN_OTHER_BUILD_DIR", L"TARN_ARM64_BUILD_DIR"};
    const WString root = GetEnvironment(kTrees[static_cast<int>(arch)]);
    return root + L"\\standin\\";
}

WString WithBackslash(const WString& folder) {
    return !folder.empty() && folder.back() == L'\\' ? folder : folder + L"\\";
}

void CopyInto(const WString& from, const WString& to) {
    CreateFolderTree(to);
    if (!CopyFileW(from.c_str(), to.c_str(), FALSE)) {
        ADD_FAILURE() << "cannot copy the stand-in library to the runtime folder (error " << GetLastError() << ")";
    }
}

void WriteEmptyFile(const WString& path) {
    CreateFolderTree(path);
    HandleHolder file(
        CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) ADD_FAILURE() << "cannot create a runtime marker file (error " << GetLastError() << ")";
}

}  // namespace

WString StandinJvm(JvmVariant variant, Arch arch) {
    static const wchar_t* const kFolders[] = {L"", L"nohelper\\", L"nodefaultargs\\", L"nocreate\\"};
    return StandinFolder(arch) + kFolders[static_cast<int>(variant)] + L"jvm.dll";
}

WString StandinSplashLibrary(Arch arch) { return StandinFolder(arch) + L"splashscreen.dll"; }

WString LayOutRuntime(const WString& home, const RuntimeSpec& spec) {
    const WString top = WithBackslash(home);
    const WString runtime = spec.jdk ? top + L"jre\\" : top;
    if (spec.jdk) WriteEmptyFile(top + L"bin\\javac.exe");
    if (spec.javaMarker) WriteEmptyFile(runtime + L"bin\\java.dll");
    for (const WString& vm : spec.vms)
        CopyInto(StandinJvm(spec.variant, spec.arch), runtime + L"bin\\" + vm + L"\\jvm.dll");
    if (spec.splashLibrary) CopyInto(StandinSplashLibrary(spec.arch), runtime + L"bin\\splashscreen.dll");
    if (!spec.version.empty()) {
        const std::string release = "JAVA_VERSION=\"" + spec.version + "\"\n";
        HandleHolder file(CreateFileW((top + L"release").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
        DWORD written = 0;
        if (!file || !WriteFile(file.get(), release.data(), static_cast<DWORD>(release.size()), &written, nullptr))
            ADD_FAILURE() << "cannot write the release file (error " << GetLastError() << ")";
    }
    return runtime;
}

std::string StoredJar(const std::vector<std::pair<std::string, std::string>>& entries) {
    std::string jar;
    auto little = [&jar](uint32_t value, int bytes) {
        for (int i = 0; i < bytes; ++i) jar += static_cast<char>(value >> (8 * i) & 0xFF);
    };
    for (const auto& [name, bytes] : entries) {
        little(0x04034b50, 4);  // signature, version, flags, method 0 (stored), time, date, CRC
        little(10, 2), little(0, 2), little(0, 2), little(0, 4), little(0, 4);
        little(static_cast<uint32_t>(bytes.size()), 4), little(static_cast<uint32_t>(bytes.size()), 4);
        little(static_cast<uint32_t>(name.size()), 2), little(0, 2);
        jar += name + bytes;
    }
    return jar;
}

void WriteClass(const WString& classPathFolder, const std::string& className, const std::string& script) {
    std::string name = className;
    for (char& c : name) c = c == '.' || c == '/' ? '\\' : c;
    WString folder = WithBackslash(classPathFolder);
    WString relative(MultiByteToWideChar(CP_UTF8, 0, name.data(), static_cast<int>(name.size()), nullptr, 0), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, name.data(), static_cast<int>(name.size()), relative.data(),
                        static_cast<int>(relative.size()));
    const WString path = folder + relative + L".class";
    CreateFolderTree(path);
    HandleHolder file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD written = 0;
    if (!file || !WriteFile(file.get(), script.data(), static_cast<DWORD>(script.size()), &written, nullptr)) {
        ADD_FAILURE() << "cannot write a class script (error " << GetLastError() << ")";
    }
}

}  // namespace tarn::test
