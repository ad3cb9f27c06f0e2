// Branding a launcher, read back through the platform: the version block through
// GetFileVersionInfoW, the icon through the icon directory lookup, the manifest as text, and the
// built-in base settings by running the branded launcher.
#include <gtest/gtest.h>

#include "base/Handles.h"
#include "jre/PeImage.h"
#include "tests/kit/Locations.h"
#include "tests/kit/Scenario.h"
#include "tests/kit/TempFolder.h"

namespace tarn::test {
namespace {

const WString kUpgradeCode = L"{7A0C1E55-2B3D-4C6F-8A91-0D2E3F4A5B6C}";

struct ToolRun {
    int exitCode = -1;
    std::string printed;  // what the tool wrote to standard output and error
};

ToolRun RunTool(const WString& arguments, const TempFolder& folder) {
    const RunOptions options{.workingFolder = folder.Path(), .outputFile = folder.Path() + L"\\tool.log"};
    const RunResult run = ChildProcess(BuildDir() + L"\\brand\\tarnbrand.exe", arguments, options).Wait(options);
    return {run.finished ? run.ExitCode() : -1, ReadBytes(folder.Path() + L"\\tool.log")};
}

// A 16-pixel, 32-bit icon file: directory, then one bitmap (header, bottom-up pixels, AND mask).
WString VendorIcon() { return SourceDir() + L"\\brand\\tests\\data\\vendor.ico"; }

WString VersionString(const WString& path, const WString& name) {
    DWORD ignored = 0;
    std::vector<BYTE> block(GetFileVersionInfoSizeW(path.c_str(), &ignored));
    wchar_t* value = nullptr;
    UINT length = 0;
    if (block.empty() || !GetFileVersionInfoW(path.c_str(), 0, static_cast<DWORD>(block.size()), block.data()) ||
        !VerQueryValueW(block.data(), (L"\\StringFileInfo\\040904b0\\" + name).c_str(), reinterpret_cast<void**>(&value),
                        &length))
        return L"<absent>";
    return WString(value, wcsnlen(value, length));
}

// A resource of the program at path, as the platform finds it; empty when absent.
std::string Resource(const WString& path, const wchar_t* type, int id) {
    ModuleHolder module(LoadLibraryExW(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE));
    const HRSRC found = module ? FindResourceW(module.get(), MAKEINTRESOURCEW(id), type) : nullptr;
    if (found == nullptr) return {};
    return std::string(static_cast<const char*>(LockResource(LoadResource(module.get(), found))),
                       SizeofResource(module.get(), found));
}

// The image the platform picks from icon group 1 for 32 pixels; empty when it cannot make an icon of it.
std::string PickedIcon(const WString& path) {
    std::string group = Resource(path, RT_GROUP_ICON, 1);
    if (group.size() < 6) return {};
    const int id = LookupIconIdFromDirectoryEx(reinterpret_cast<BYTE*>(group.data()), TRUE, 32, 32, LR_DEFAULTCOLOR);
    std::string picked = Resource(path, RT_ICON, id);
    HICON icon = CreateIconFromResourceEx(reinterpret_cast<BYTE*>(picked.data()), static_cast<DWORD>(picked.size()), TRUE,
                                          0x00030000, 32, 32, 0);
    if (icon == nullptr) return {};
    DestroyIcon(icon);
    return picked;
}

// The build carries Tarn's own icon, version and level; a branded copy the vendor's, and base settings.
// Every launcher is branded alike; only the x64 one runs here: the ARM64 one's base settings are seen
// as its resources 9000 and 8000 instead of by a start.
TEST(Branding, ABrandedCopyCarriesTheVendorsIconVersionLevelAndBaseSettings) {
    EXPECT_NE(PickedIcon(LauncherExe()), "");
    EXPECT_EQ(VersionString(LauncherExe(), L"OriginalFilename"), L"tarn64.exe");
    EXPECT_NE(Resource(LauncherExe(), RT_MANIFEST, 1).find("level=\"asInvoker\""), std::string::npos);
    TempFolder work(L"brand");
    CopyTo(VendorIcon(), work.File(L"vendor.ico"));
    WriteBytes(work.File(L"base.ini"), "[Java Runtime Environment]\nMain Class=app.Main\n[Class Path]\nClass Path=classes\n");
    // A name beyond any 8-bit code page, which the tool's report must keep whole.
    const WString name = L"Vend\u00f6r \u65e5\u672c \U0001F332.exe";
    WStringList launchers = {LauncherExe()};
    if (!Arm64BuildDir().empty()) launchers.push_back(Arm64BuildDir() + L"\\tarnarm64.exe");
    for (const WString& input : launchers) {
        SCOPED_TRACE(ToUtf8(input));
        const std::string released = ReadBytes(input);
        const ToolRun run = RunTool(L"--input \"" + input + L"\" --output \"" + name + L"\" --icon vendor.ico"
                                    L" --company \"Ex\u00e4mple Co\" --description \"Example Desktop\" --product-name Example"
                                    L" --product-version 2.5 --file-version 2.5.1.65535 --copyright \"(c) 2026 Example\""
                                    L" --original-filename Example.exe --execution-level highestAvailable"
                                    L" --base-settings base.ini --upgrade-code " + kUpgradeCode,
                                    work);
        ASSERT_EQ(run.exitCode, 0) << run.printed;
        EXPECT_EQ(run.printed, "wrote " + ToUtf8(name) + "\r\n");
        EXPECT_TRUE(ReadBytes(input) == released) << "the input changed";
        EXPECT_FALSE(FileExists(work.File(name + L".partial")));

        const WString branded = work.File(name);
        EXPECT_EQ(ImageMachineOfFile(branded), ImageMachineOfFile(input));
        for (const auto& [key, value] : std::vector<std::pair<WString, WString>>{
                 {L"CompanyName", L"Ex\u00e4mple Co"}, {L"FileDescription", L"Example Desktop"},
                 {L"ProductName", L"Example"}, {L"ProductVersion", L"2.5"}, {L"FileVersion", L"2.5.1.65535"},
                 {L"LegalCopyright", L"(c) 2026 Example"}, {L"OriginalFilename", L"Example.exe"}})
            EXPECT_EQ(VersionString(branded, key), value) << ToUtf8(key);
        EXPECT_EQ(PickedIcon(branded), ReadBytes(VendorIcon()).substr(22));
        EXPECT_NE(Resource(branded, RT_MANIFEST, 1).find("level=\"highestAvailable\""), std::string::npos);
        if (input != LauncherExe()) {
            EXPECT_NE(Resource(branded, RT_RCDATA, 9000), "");
            EXPECT_NE(Resource(branded, RT_RCDATA, 8000), "");
            continue;
        }
        // The base text supplies main class and class path; the settings file only unlocks it.
        Launch launch({.settings = L"[Product Information]\r\nUpgrade Code=" + kUpgradeCode + L"\r\n",
                       .classes = {{"app/Main", "method main\n  out branded\nend\n"}},
                       .launcher = branded});
        const Outcome outcome = launch.Run();
        ExpectCleanEnd(outcome, 0);
        EXPECT_EQ(outcome.out, WStringList{L"branded"});
    }
}

TEST(Branding, RefusesWhatItCannotBrandAndLeavesTheInputAndNoOutput) {
    TempFolder work(L"brand-errors");
    WriteBytes(work.File(L"not-an-icon.ico"), "[Display]\r\n");
    WriteBytes(work.File(L"truncated.exe"), ReadBytes(LauncherExe()).substr(0, 1000));
    WriteBytes(work.File(L"Locked.exe"), "old");
    SetFileAttributesW(work.File(L"Locked.exe").c_str(), FILE_ATTRIBUTE_READONLY);
    const WString released = L"--input \"" + LauncherExe() + L"\" ";
    const std::string releasedBytes = ReadBytes(LauncherExe());
    struct Row {
        WString arguments;
        int exitCode;
        std::string message;
    };
    const Row rows[] = {
        {L"--input \"" + BuildDir() + L"\\brand\\tarnbrand.exe\" --output Out.exe", 1, "is not a Tarn launcher"},
        {L"--input truncated.exe --output Out.exe", 1, "is not a Tarn launcher"},
        {L"--input absent.exe --output Out.exe", 1, "cannot be read as a program"},
        {released + L"--output Out.exe --icon not-an-icon.ico", 1, "is not an icon file"},
        {released + L"--output Out.exe --icon missing.ico", 1, "missing.ico cannot be read"},
        {released + L"--output Out.exe --file-version 1.x", 2, "--file-version"},
        {released + L"--output Out.exe --product-version 1.2.3.4.5", 2, "--product-version"},
        {released + L"--output Out.exe --file-version 1.65536", 2, "--file-version"},
        // 16-bit lengths: the company's text alone takes the version block past 65,535 bytes.
        {released + L"--output Out.exe --company " + WString(32500, L'x'), 1, "--company"},
        {released + L"--output Out.exe --execution-level admin", 2, "--execution-level"},
        {released + L"--output Out.exe --base-settings base.ini", 2, "--upgrade-code"},
        {released + L"--output \"" + LauncherExe() + L"\"", 1, "must name a new file"},
        {released + L"--output no\\such\\folder\\Out.exe", 1, "cannot be written"},
        {released + L"--output Locked.exe", 1, "Locked.exe is read-only"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(ToUtf8(row.arguments));
        const ToolRun run = RunTool(row.arguments, work);
        EXPECT_EQ(run.exitCode, row.exitCode);
        EXPECT_NE(run.printed.find(row.message), std::string::npos) << run.printed;
        for (const wchar_t* left : {L"Out.exe", L"Out.exe.partial", L"Locked.exe.partial"})
            EXPECT_FALSE(FileExists(work.File(left))) << ToUtf8(left);
    }
    EXPECT_TRUE(ReadBytes(work.File(L"Locked.exe")) == "old") << "a read-only file was replaced";
    EXPECT_TRUE(ReadBytes(LauncherExe()) == releasedBytes) << "the input changed";
    SetFileAttributesW(work.File(L"Locked.exe").c_str(), FILE_ATTRIBUTE_NORMAL);
}

}  // namespace
}  // namespace tarn::test
