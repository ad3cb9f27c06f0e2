#include "brand/BrandOptions.h"

#include "brand/Manifest.h"

namespace tarn::brand {

const wchar_t kBrandUsage[] =
    L"usage: tarnbrand --input tarn.exe --output MyProduct.exe [options]\n"
    L"  --icon FILE.ico                the program's icon\n"
    L"  --company TEXT                 CompanyName\n"
    L"  --description TEXT             FileDescription\n"
    L"  --product-name TEXT            ProductName\n"
    L"  --product-version 1.2.3[.4]    ProductVersion\n"
    L"  --file-version 1.2.3[.4]       FileVersion\n"
    L"  --copyright TEXT               LegalCopyright\n"
    L"  --original-filename NAME       OriginalFilename\n"
    L"  --execution-level LEVEL        asInvoker, highestAvailable or requireAdministrator\n"
    L"  --base-settings FILE.ini --upgrade-code CODE [--passphrase TEXT]\n"
    L"                                 built-in base settings, unlocked by the settings file's Upgrade Code\n";

namespace {

const std::pair<const wchar_t*, const wchar_t*> kStringOptions[] = {
    {L"--company", L"CompanyName"},       {L"--description", L"FileDescription"},
    {L"--product-name", L"ProductName"},  {L"--copyright", L"LegalCopyright"},
    {L"--original-filename", L"OriginalFilename"}};

// The passphrases are hashed in their 8-bit form, which only printable ASCII keeps the same
// under every code page; surrounding spaces would be lost in the settings file.
bool IsPassphraseText(const WString& text) {
    if (text.empty() || text.front() == L' ' || text.back() == L' ') return false;
    for (const wchar_t ch : text)
        if (ch < 0x20 || ch > 0x7E) return false;
    return true;
}

bool SetVersion(const WString& option, const WString& value, BrandOptions& options, WString& error) {
    const std::optional<VersionNumber> number = ParseVersionNumber(value);
    if (!number) {
        error = option + L": \"" + value + L"\" is not a version of one to four numbers from 0 to 65535, such as 1.2.3";
        return false;
    }
    const bool file = option == L"--file-version";
    (file ? options.fileVersion : options.productVersion) = number;
    options.strings.emplace_back(file ? L"FileVersion" : L"ProductVersion", value);
    return true;
}

bool Take(const WString& option, const WString& value, BrandOptions& options, WString& error) {
    for (const auto& [name, key] : kStringOptions) {
        if (option == name) {
            options.strings.emplace_back(key, value);
            return true;
        }
    }
    if (option == L"--file-version" || option == L"--product-version") return SetVersion(option, value, options, error);
    if (option == L"--execution-level") {
        if (!IsExecutionLevel(value)) {
            error = L"--execution-level: \"" + value + L"\" is none of asInvoker, highestAvailable, requireAdministrator";
            return false;
        }
        options.executionLevel = value;
        return true;
    }
    if (option == L"--upgrade-code" || option == L"--passphrase") {
        if (!IsPassphraseText(value)) {
            error = option + L": use printable ASCII without leading or trailing spaces";
            return false;
        }
        (option == L"--upgrade-code" ? options.upgradeCode : options.passphrase) = value;
        return true;
    }
    WString* target = option == L"--input"           ? &options.input
                      : option == L"--output"        ? &options.output
                      : option == L"--icon"          ? &options.icon
                      : option == L"--base-settings" ? &options.baseSettings
                                                     : nullptr;
    if (target == nullptr) {
        error = L"unknown option " + option;
        return false;
    }
    *target = value;
    return true;
}

}  // namespace

std::optional<BrandOptions> ParseBrandOptions(const WStringList& arguments, WString& error) {
    BrandOptions options;
    for (size_t i = 0; i < arguments.size(); i += 2) {
        if (i + 1 == arguments.size()) {
            error = arguments[i] + L" needs a value";
            return std::nullopt;
        }
        if (!Take(arguments[i], arguments[i + 1], options, error)) return std::nullopt;
    }
    if (options.input.empty() || options.output.empty()) {
        error = L"--input and --output are required";
        return std::nullopt;
    }
    if (options.baseSettings.empty() != options.upgradeCode.empty()) {
        error = L"--base-settings and --upgrade-code go together";
        return std::nullopt;
    }
    if (!options.passphrase.empty() && options.baseSettings.empty()) {
        error = L"--passphrase needs --base-settings";
        return std::nullopt;
    }
    return options;
}

}  // namespace tarn::brand
