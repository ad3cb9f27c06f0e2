// Static checks of the stand-in libraries of both architectures: machine, exports, calling
// convention, imports. The i686 images cannot run here, so their export table and symbols are read.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "base/Environment.h"
#include "tests/kit/TextFiles.h"
#include "tests/standin/tests/StandinTesting.h"

namespace tarn::test {
namespace {

using ::testing::UnorderedElementsAreArray;

// What a PE image says about itself, read from the file.
struct Image {
    bool valid = false;
    uint16_t machine = 0;
    std::vector<std::string> exports;
    std::vector<std::string> imports;
    std::vector<std::string> symbols;  // the COFF symbol table the linker left in the image
};

class ImageReader {
public:
    explicit ImageReader(std::string bytes) : bytes_(std::move(bytes)) {}

    Image Read() {
        Image image;
        if (bytes_.size() < 0x40 || U16(0) != 0x5A4D) return image;  // "MZ"
        const uint32_t pe = U32(0x3C);
        if (pe + 24 > bytes_.size() || U32(pe) != 0x4550) return image;  // "PE\0\0"
        image.machine = U16(pe + 4);
        const uint32_t optional = pe + 24;
        const uint32_t directories = optional + (U16(optional) == 0x20B ? 112 : 96);
        sections_ = optional + U16(pe + 20);
        sectionCount_ = U16(pe + 6);
        ReadExports(U32(directories), image.exports);
        ReadImports(U32(directories + 8), image.imports);
        ReadSymbols(U32(pe + 12), U32(pe + 16), image.symbols);
        image.valid = true;
        return image;
    }

private:
    uint32_t U16(size_t at) const {
        return at + 2 <= bytes_.size() ? static_cast<uint8_t>(bytes_[at]) | static_cast<uint8_t>(bytes_[at + 1]) << 8
                                       : 0;
    }
    uint32_t U32(size_t at) const { return U16(at) | U16(at + 2) << 16; }
    std::string Text(size_t at, size_t limit = 256) const {
        return at < bytes_.size()
                   ? std::string(bytes_.c_str() + at, strnlen(bytes_.c_str() + at, std::min(limit, bytes_.size() - at)))
                   : "";
    }
    size_t Offset(uint32_t rva) const {
        for (uint32_t i = 0; i < sectionCount_; ++i) {
            const size_t section = sections_ + i * 40;
            const uint32_t start = U32(section + 12);
            if (rva >= start && rva < start + std::max(U32(section + 8), U32(section + 16)))
                return rva - start + U32(section + 20);
        }
        return bytes_.size();
    }
    void ReadExports(uint32_t rva, std::vector<std::string>& names) const {
        if (rva == 0) return;
        const size_t directory = Offset(rva);
        const uint32_t count = U32(directory + 24);
        const size_t table = Offset(U32(directory + 32));
        for (uint32_t i = 0; i < count; ++i) names.push_back(Text(Offset(U32(table + 4 * i))));
    }
    void ReadImports(uint32_t rva, std::vector<std::string>& names) const {
        if (rva == 0) return;
        for (size_t entry = Offset(rva); U32(entry + 12) != 0; entry += 20)
            names.push_back(Text(Offset(U32(entry + 12))));
    }
    void ReadSymbols(uint32_t table, uint32_t count, std::vector<std::string>& names) const {
        const size_t strings = table + static_cast<size_t>(count) * 18;
        for (uint32_t i = 0; table != 0 && i < count; i += 1 + static_cast<uint8_t>(bytes_[table + i * 18 + 17])) {
            const size_t symbol = table + static_cast<size_t>(i) * 18;
            names.push_back(U32(symbol) == 0 ? Text(strings + U32(symbol + 4)) : Text(symbol, 8));
        }
    }

    std::string bytes_;
    size_t sections_ = 0;
    uint32_t sectionCount_ = 0;
};

Image ReadImage(const WString& path) { return ImageReader(ReadBytes(path)).Read(); }

const std::vector<std::string> kAllJvmExports = {"JNI_CreateJavaVM", "JNI_GetDefaultJavaVMInitArgs",
                                                 "JNI_GetCreatedJavaVMs", "JVM_FindClassFromBootLoader"};
const std::vector<std::string> kSplashExports = {"SplashInit", "SplashLoadFile", "SplashSetFileJarName", "SplashClose"};

std::vector<std::string> Without(std::vector<std::string> names, const std::string& missing) {
    names.erase(std::remove(names.begin(), names.end(), missing), names.end());
    return names;
}

struct Library {
    WString path;
    std::vector<std::string> exports;
};

std::vector<Library> Libraries(Arch arch) {
    return {{StandinJvm(JvmVariant::Full, arch), kAllJvmExports},
            {StandinJvm(JvmVariant::NoLauncherHelper, arch), Without(kAllJvmExports, "JVM_FindClassFromBootLoader")},
            {StandinJvm(JvmVariant::NoDefaultInitArgs, arch), Without(kAllJvmExports, "JNI_GetDefaultJavaVMInitArgs")},
            {StandinJvm(JvmVariant::NoCreateJavaVm, arch), Without(kAllJvmExports, "JNI_CreateJavaVM")},
            {StandinSplashLibrary(arch), kSplashExports}};
}

void CheckCommon(const Library& library, const Image& image, uint16_t machine) {
    ASSERT_TRUE(image.valid) << ToUtf8(library.path);
    EXPECT_EQ(image.machine, machine) << ToUtf8(library.path);
    EXPECT_THAT(image.exports, UnorderedElementsAreArray(library.exports)) << ToUtf8(library.path);
    for (const std::string& dll : image.imports) {
        std::string lower = dll;
        std::transform(lower.begin(), lower.end(), lower.begin(),
                       [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        EXPECT_TRUE(lower == "kernel32.dll" || lower == "msvcrt.dll") << ToUtf8(library.path) << " imports " << dll;
    }
}

TEST(Images, X64LibrariesExportExactlyTheirEntryPointsAndLoad) {
    for (const Library& library : Libraries(Arch::Native)) {
        CheckCommon(library, ReadImage(library.path), 0x8664);
    }
    for (JvmVariant variant :
         {JvmVariant::Full, JvmVariant::NoLauncherHelper, JvmVariant::NoDefaultInitArgs, JvmVariant::NoCreateJavaVm}) {
        LoadedJvm jvm(variant);
        ASSERT_NE(jvm.Module(), nullptr);
        EXPECT_EQ(jvm.Entry("JNI_CreateJavaVM") != nullptr, variant != JvmVariant::NoCreateJavaVm);
        EXPECT_EQ(jvm.Entry("JNI_GetDefaultJavaVMInitArgs") != nullptr, variant != JvmVariant::NoDefaultInitArgs);
        EXPECT_EQ(jvm.Entry("JVM_FindClassFromBootLoader") != nullptr, variant != JvmVariant::NoLauncherHelper);
    }
}

// Real 32-bit runtimes export their stdcall entry points without decoration; the symbol table
// shows the compiler really made them stdcall (_Name@bytes).
TEST(Images, I686LibrariesAreStdcallWithUndecoratedExports) {
    ASSERT_FALSE(GetEnvironment(L"TARN_OTHER_BUILD_DIR").empty());
    for (const Library& library : Libraries(Arch::Other)) {
        CheckCommon(library, ReadImage(library.path), 0x014C);
    }
    const Image jvm = ReadImage(StandinJvm(JvmVariant::Full, Arch::Other));
    for (const char* symbol : {"_JNI_CreateJavaVM@12", "_JNI_GetDefaultJavaVMInitArgs@4", "_JNI_GetCreatedJavaVMs@12",
                               "_JVM_FindClassFromBootLoader@8"}) {
        EXPECT_THAT(jvm.symbols, ::testing::Contains(std::string(symbol)));
    }
    const Image splash = ReadImage(StandinSplashLibrary(Arch::Other));
    EXPECT_THAT(splash.symbols, ::testing::Contains(std::string("_SplashLoadFile"))) << "the splash library is cdecl";
}

}  // namespace
}  // namespace tarn::test
