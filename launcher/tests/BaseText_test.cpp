// The built-in base text: the build tool's resources, their deciphering by the launcher, and what a
// user of a launcher that carries one sees; with no main class from either, what the settings file
// says or why it cannot be read.
#include <gtest/gtest.h>
#include <windows.h>
#include <wincrypt.h>

#include "base/Conversion.h"
#include "base/Handles.h"
#include "tests/kit/Scenario.h"
#include "tests/kit/Locations.h"

namespace tarn::test {
namespace {

// The codes and passphrase given to the build in res/CMakeLists.txt.
const WString kTestUpgradeCode = L"{6F1C8E52-3A9D-4B7E-9C21-5D0A7B3E8F14}";
const WString kSampleUpgradeCode = L"{0B5A7C31-92E4-4F08-A6D2-7E13C9B48D50}";
const std::string kSamplePassphrase = "Tarn sample passphrase #1";

const WString kMissingMainClass = L"Main class was not specified in INI file.";

WString BaseTestLauncher() { return BuildDir() + L"\\tarn64_base_test.exe"; }
WString SampleResource(const WString& name) { return BuildDir() + L"\\base-settings\\cipher-sample\\" + name; }
WString WithCode(const WString& code) { return L"[Product Information]\r\nUpgrade Code=" + code + L"\r\n"; }

std::string Utf16Bytes(const WString& text) { return test::Utf16Bytes(text).substr(2); }  // without the mark

void ReleaseProvider(HCRYPTPROV provider) noexcept { CryptReleaseContext(provider, 0); }
void DestroyHash(HCRYPTHASH hash) noexcept { CryptDestroyHash(hash); }
void DestroyKey(HCRYPTKEY key) noexcept { CryptDestroyKey(key); }

// The platform's own cipher, as a vendor on Windows would use it: MD5 of the passphrase, RC4 key
// derived with the provider's defaults.
std::string CryptEncipher(const std::string& passphrase, std::string data) {
    UniqueResource<ResourceTraits<HCRYPTPROV, 0, ReleaseProvider>> provider;
    UniqueResource<ResourceTraits<HCRYPTHASH, 0, DestroyHash>> hash;
    UniqueResource<ResourceTraits<HCRYPTKEY, 0, DestroyKey>> key;
    EXPECT_TRUE(CryptAcquireContextW(provider.put(), nullptr, MS_DEF_PROV_W, PROV_RSA_FULL, CRYPT_VERIFYCONTEXT));
    EXPECT_TRUE(CryptCreateHash(provider.get(), CALG_MD5, 0, 0, hash.put()));
    EXPECT_TRUE(CryptHashData(hash.get(), reinterpret_cast<const BYTE*>(passphrase.data()),
                              static_cast<DWORD>(passphrase.size()), 0));
    EXPECT_TRUE(CryptDeriveKey(provider.get(), CALG_RC4, hash.get(), 0, key.put()));
    DWORD length = static_cast<DWORD>(data.size());
    EXPECT_TRUE(CryptEncrypt(key.get(), 0, TRUE, 0, reinterpret_cast<BYTE*>(data.data()), &length,
                             static_cast<DWORD>(data.size())));
    data.resize(length);
    return data;
}

// The sample, launcher/tests/data/cipher-sample.ini, is UTF-16 with CR LF, LF and CR line ends and
// characters beyond one byte; a launcher carries its text without byte-order mark, every line end CR LF.
TEST(BaseText, BuildToolEnciphersAsTheBaseProviderDoes) {
    const std::string sampleText = Utf16Bytes(L"[Application]\r\nCmd=caf\u00e9 \u2615 \xD834\xDD1E\r\nOutput File=out.txt\r\n"
                                              L"Error File=err.txt\r\n[Class Path]\r\nClass Path=a.jar;b.jar\r\n");
    EXPECT_EQ(ReadBytes(SampleResource(L"base-passphrase.bin")),
              CryptEncipher(ToNarrow(kSampleUpgradeCode), Utf16Bytes(FromUtf8(kSamplePassphrase))));
    EXPECT_EQ(ReadBytes(SampleResource(L"base-text.bin")), CryptEncipher(kSamplePassphrase, sampleText));
}

// The platform's own sentence for an error code, without its final period.
WString SystemText(DWORD code) {
    wchar_t text[512];
    DWORD length = FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0, text, 512, nullptr);
    while (length > 0 && wcschr(L". \r\n", text[length - 1]) != nullptr) --length;
    return WString(text, length);
}

// Built from launcher/tests/data/base-test.ini: Main Class com.example.BaseMain, VM parameters
// -Xmx256m, System Path base-path, Library Path C:\Bibliothèque\𝄞 (UTF-8 with a byte-order mark
// and LF line ends). The base text alone names the main class, so only a launcher that cannot
// unlock it stops with message 210, or says why the settings file cannot be read; a "+" section
// extends a base value.
TEST(BaseText, TheLauncherReadsItsBaseTextOnlyWithItsUpgradeCodeOrSaysWhyNoMainClass) {
    const WString padded = L"[Product Information]\r\nUpgrade Code =  \"" + kTestUpgradeCode + L"\"  \r\n";
    const auto unreadable = [](DWORD error) {  // locked by the test: ERROR_SHARING_VIOLATION
        return L"Failed to read the settings file {app}\\Start.ini: " + SystemText(error) + L" (errno = " +
               std::to_wstring(error) + L").\n";
    };
    const struct RunCase {
        const char* what;
        WString launcher;
        WString iniText;  // after the class path; no settings file when empty
        WStringList dialogs;
        std::vector<std::string> parameters = {};  // the options after library path and class path, before the hooks
        std::vector<std::pair<WString, std::string>> files = {};
    } cases[] = {
        {"the Upgrade Code read as a file value: trimmed, unquoted", BaseTestLauncher(), padded, {}, {"-Xmx256m"}},
        {"a plus value extends the base", BaseTestLauncher(),
         padded + L"[Java Runtime Environment+]\r\nVirtual Machine Parameters=-Dplus=1\r\n", {}, {"-Xmx256m", "-Dplus=1"}},
        {"a wrong Upgrade Code", BaseTestLauncher(), WithCode(L"{6F1C8E52-3A9D-4B7E-9C21-5D0A7B3E8F15}"),
         {kMissingMainClass}},
        {"the Upgrade Code in other letter case", BaseTestLauncher(),
         WithCode(L"{6f1c8e52-3a9d-4b7e-9c21-5d0a7b3e8f14}"), {kMissingMainClass}},
        {"no Upgrade Code", BaseTestLauncher(), L"[Application]\r\nFailure Check=Yes\r\n", {kMissingMainClass}},
        {"the Upgrade Code in a plus section, which is never read", BaseTestLauncher(),
         L"[Product Information+]\r\nUpgrade Code=" + kTestUpgradeCode + L"\r\n", {kMissingMainClass}},
        {"a launcher that carries no base text", LauncherExe(), WithCode(kTestUpgradeCode), {kMissingMainClass}},
        {"no settings file", LauncherExe(), L"", {unreadable(ERROR_FILE_NOT_FOUND)}},
        {"a folder named like it", LauncherExe(), L"", {unreadable(ERROR_ACCESS_DENIED)}, {}, {{L"{app}\\Start.ini\\x", ""}}},
        {"locked by another process", LauncherExe(), L"[Java Runtime Environment]\r\nMain Class=app.Main\r\n",
         {unreadable(ERROR_SHARING_VIOLATION)}},
        {"UTF-16 without byte-order mark", LauncherExe(), L"", {L"The settings file {app}\\Start.ini is UTF-16 text without a "
         L"byte-order mark. Save it as \"Unicode\" (UTF-16 LE with byte-order mark).\n"}, {},
         {{L"{app}\\Start.ini", Utf16Bytes(L"[Java Runtime Environment]\r\nMain Class=app.Main\r\n")}}},
    };
    for (const RunCase& c : cases) {
        SCOPED_TRACE(c.what);
        Launch launch({.settings = c.iniText.empty() ? L"" : L"[Class Path]\r\nClass Path=classes\r\n" + c.iniText,
                       .classes = {{"com/example/BaseMain", "method main\n  out base main ran\n  env Path\nend\n"}},
                       .files = c.files, .exeName = L"Start.exe", .launcher = c.launcher});
        const WString ini = launch.Expand(L"{app}\\Start.ini");
        const bool locked = c.dialogs == WStringList{unreadable(ERROR_SHARING_VIOLATION)};
        HandleHolder lock(locked ? CreateFileW(ini.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr) : nullptr);
        const Outcome o = launch.Run();
        EXPECT_TRUE(o.finished);
        EXPECT_EQ(o.exitCode, c.dialogs.empty() ? 0 : -1);
        WStringList dialogs = c.dialogs;
        for (WString& text : dialogs) text = launch.Expand(text);
        EXPECT_EQ(o.DialogTexts(), dialogs);
        if (!c.dialogs.empty()) continue;
        EXPECT_EQ(o.out.at(0), L"base main ran");
        EXPECT_EQ(PrintedValue(o, L"Path").rfind(L"base-path;", 0), 0u);
        ASSERT_GE(o.options.size(), 4u);
        EXPECT_EQ(std::vector<std::string>(o.options.begin() + 2, o.options.end() - 2), c.parameters);
    }
}

}  // namespace
}  // namespace tarn::test
