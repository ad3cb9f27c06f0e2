// Reading an image's machine type: hand-made headers of every broken shape, then real files.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "jre/ImageMachine.h"
#include "jre/MachineFit.h"
#ifdef _WIN32
#include "jre/Architecture.h"
#include "jre/PeImage.h"
#include "tests/standin/kit/Standin.h"
#include "tests/kit/Locations.h"
#include "tests/kit/TempFolder.h"
#include "tests/kit/TextFiles.h"
#endif

namespace tarn {
namespace {

// A minimal image: DOS header with its offset field, then signature and file header at offset.
std::string Image(uint32_t headerOffset, uint16_t machine, size_t totalSize, const char* signature = "PE\0\0") {
    std::string bytes(std::max<size_t>(totalSize, 64), '\0');
    bytes[0] = 'M';
    bytes[1] = 'Z';
    std::memcpy(&bytes[0x3C], &headerOffset, 4);
    if (uint64_t{headerOffset} + 6 <= bytes.size()) {
        std::memcpy(&bytes[headerOffset], signature, 4);
        std::memcpy(&bytes[headerOffset + 4], &machine, 2);
    }
    bytes.resize(totalSize);
    return bytes;
}

std::optional<uint16_t> MachineOf(const std::string& bytes) {
    return ReadImageMachine([&bytes](uint64_t offset, void* buffer, size_t count) {
        if (offset > bytes.size() || count > bytes.size() - offset) return false;
        std::memcpy(buffer, bytes.data() + offset, count);
        return true;
    });
}

struct HeaderCase {
    const char* name;
    std::string bytes;
    int expected;  // -1: not an image
};

TEST(ReadImageMachine, EveryShapeOfHeader) {
    const HeaderCase cases[] = {
        {"x86_64 image", Image(0x80, 0x8664, 0x200), 0x8664},
        {"header right after the DOS header", Image(0x40, 0xAA64, 0x58), 0xAA64},
        {"file header ends exactly at the end", Image(0x80, 0x014C, 0x80 + 24), 0x014C},
        {"file header one byte short", Image(0x80, 0x014C, 0x80 + 23), -1},
        {"empty file", std::string(), -1},
        {"DOS header one byte short", Image(0x80, 0x8664, 0x200).substr(0, 63), -1},
        {"offset beyond the end", Image(0x1000, 0x8664, 0x200), -1},
        {"negative offset", Image(0xFFFFFFF0u, 0x8664, 0x200), -1},
        {"offset pointing at the DOS header", Image(0, 0x8664, 0x200), -1},
        {"wrong signature", Image(0x80, 0x8664, 0x200, "PE\0\1"), -1},
        {"MX instead of MZ", "MX" + Image(0x80, 0x8664, 0x200).substr(2), -1},
        {"XZ instead of MZ", "XZ" + Image(0x80, 0x8664, 0x200).substr(2), -1},
    };
    for (const HeaderCase& c : cases) {
        EXPECT_EQ(MachineOf(c.bytes), c.expected < 0 ? std::nullopt : std::optional<uint16_t>(c.expected)) << c.name;
    }
}

// Who runs a runtime, for the launchers and systems that the end-to-end tables cannot run here (the
// x86 and ARM64 launchers, x86 systems). Windows runs x86 programs on x64 and ARM64, x64 ones on ARM64.
TEST(FitOf, EveryLauncherOnEverySystem) {
    using enum RuntimeFit;
    const uint16_t x86 = kMachineX86, x64 = kMachineX64, arm = kMachineArm64;
    const struct { uint16_t runtime, own, host; RuntimeFit withBothPairs; } cases[] = {
        {arm, arm, arm, Here},          {x64, arm, arm, PairProduct},   {x86, arm, arm, PairProduct},
        {arm, x86, arm, Arm64Pair},     {x64, x86, arm, PairProduct},   {x64, x86, x64, PairProduct},
        {x86, x86, x64, Here},          {x64, x86, x86, NotRunnable},   {arm, x86, x64, NotRunnable},
        {arm, x64, x64, NotRunnable},   {0x01C4, x64, arm, NotRunnable},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << std::hex << "runtime " << c.runtime << ", launcher " << c.own << ", system " << c.host);
        EXPECT_EQ(FitOf(c.runtime, c.own, c.host, true, true), c.withBothPairs);
        // Each pair runs only its own machines: "Pair Product" x86 and x64, "Pair Product ARM64" ARM64.
        EXPECT_EQ(FitOf(c.runtime, c.own, c.host, true, false), c.withBothPairs == Arm64Pair ? NoPair : c.withBothPairs);
        EXPECT_EQ(FitOf(c.runtime, c.own, c.host, false, true), c.withBothPairs == PairProduct ? NoPair : c.withBothPairs);
    }
}

// Files on disk, read through the Win32 shell.
#ifdef _WIN32
TEST(ImageFile, RealImagesOfBothArchitecturesAndBrokenOrUnreadableFiles) {
    const test::TempFolder temp;
    auto File = [&](const WString& name, const std::string& bytes) {
        test::WriteBytes(temp.Path() + L"\\" + name, bytes);
        return temp.Path() + L"\\" + name;
    };
    EXPECT_EQ(ImageMachineOfFile(test::StandinJvm()), kOwnMachine);
    const WString other = test::StandinJvm(test::JvmVariant::Full, test::Arch::Other);
    EXPECT_EQ(ImageMachineOfFile(other), 0x014C) << "the other build tree must hold the stand-in runtime";
    if (!test::Arm64BuildDir().empty()) {
        EXPECT_EQ(ImageMachineOfFile(test::StandinJvm(test::JvmVariant::Full, test::Arch::Arm64)), 0xAA64);
    }
    const std::string real = test::ReadBytes(other);
    ASSERT_GT(real.size(), 1024u);
    EXPECT_FALSE(ImageMachineOfFile(File(L"empty.dll", "")));
    EXPECT_FALSE(ImageMachineOfFile(File(L"truncated.dll", real.substr(0, 100))));
    EXPECT_FALSE(ImageMachineOfFile(File(L"far.dll", Image(0x7FFFFFF0u, 0x8664, 0x200))));
    EXPECT_FALSE(ImageMachineOfFile(File(L"negative.dll", Image(0x80000000u, 0x8664, 0x200))));
    EXPECT_FALSE(ImageMachineOfFile(temp.Path()));  // a folder
    EXPECT_FALSE(ImageMachineOfFile(temp.Path() + L"\\absent.dll"));
    EXPECT_FALSE(ImageMachineOfFile(L""));
    // The header is read wherever it lies, also far into the file.
    EXPECT_EQ(ImageMachineOfFile(File(L"deep.dll", Image(0x10000, 0x014C, 0x10018))), 0x014C);
}
#endif

}  // namespace
}  // namespace tarn
