#include "brand/Branding.h"

#include <windows.h>

#include <algorithm>
#include <random>
#include <string>

#include "base/Conversion.h"
#include "base/Handles.h"
#include "brand/IconFile.h"
#include "brand/Manifest.h"
#include "brand/SourceFiles.h"
#include "launcher/BaseText.h"

namespace tarn::brand {
namespace {

constexpr WORD kNeutral = MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL);
// Every launcher carries this message; a program without it is not a Tarn launcher.
constexpr UINT kSignatureMessage = 210;
const wchar_t kSignatureText[] = L"Main class was not specified in INI file.";
const wchar_t* const kVersionStrings[] = {L"CompanyName",    L"FileDescription", L"FileVersion",     L"ProductName",
                                          L"ProductVersion", L"LegalCopyright",  L"OriginalFilename"};

struct Resource {
    const wchar_t* type;
    WString name;  // "#n" for a numbered resource
    WORD language;
};

// What the branded copy keeps or replaces of the input, read before it is copied.
struct InputProgram {
    VersionInfo version;
    std::string manifest;
    std::vector<Resource> icons;  // RT_ICON and RT_GROUP_ICON resources to replace
};

BOOL CALLBACK AddLanguage(HMODULE, LPCWSTR type, LPCWSTR name, WORD language, LONG_PTR list) {
    auto& resources = *reinterpret_cast<std::vector<Resource>*>(list);
    const WString id = IS_INTRESOURCE(name) ? L"#" + std::to_wstring(reinterpret_cast<ULONG_PTR>(name)) : name;
    resources.push_back({type, id, language});
    return TRUE;
}

BOOL CALLBACK AddName(HMODULE module, LPCWSTR type, LPWSTR name, LONG_PTR list) {
    EnumResourceLanguagesW(module, type, name, AddLanguage, list);
    return TRUE;
}

bool ReadVersion(const WString& path, VersionInfo& info) {
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(path.c_str(), &ignored);
    std::vector<BYTE> block(size);
    if (size == 0 || !GetFileVersionInfoW(path.c_str(), 0, size, block.data())) return false;
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    if (VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&fixed), &length) && length >= sizeof *fixed) {
        auto split = [](DWORD high, DWORD low) {
            return VersionNumber{HIWORD(high), LOWORD(high), HIWORD(low), LOWORD(low)};
        };
        info.fileVersion = split(fixed->dwFileVersionMS, fixed->dwFileVersionLS);
        info.productVersion = split(fixed->dwProductVersionMS, fixed->dwProductVersionLS);
    }
    for (const wchar_t* name : kVersionStrings) {
        wchar_t* value = nullptr;
        const WString query = WString(L"\\StringFileInfo\\040904b0\\") + name;
        if (VerQueryValueW(block.data(), query.c_str(), reinterpret_cast<void**>(&value), &length) && length > 0)
            info.strings.emplace_back(name, WString(value, wcsnlen(value, length)));
    }
    return true;
}

bool ReadInput(const WString& path, InputProgram& input, WString& error) {
    ModuleHolder module(LoadLibraryExW(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE));
    if (!module) {
        error = path + L" cannot be read as a program: " + SystemMessage(GetLastError());
        return false;
    }
    wchar_t text[64] = {};
    LoadStringW(module.get(), kSignatureMessage, text, 64);
    const HRSRC manifest = FindResourceW(module.get(), MAKEINTRESOURCEW(1), RT_MANIFEST);
    if (WString(text) != kSignatureText || manifest == nullptr || !ReadVersion(path, input.version)) {
        error = path + L" is not a Tarn launcher (tarn.exe, tarn64.exe, tarnarm64.exe or a console one)";
        return false;
    }
    const auto* data = static_cast<const char*>(LockResource(LoadResource(module.get(), manifest)));
    input.manifest.assign(data, SizeofResource(module.get(), manifest));
    for (const wchar_t* type : {RT_GROUP_ICON, RT_ICON})
        EnumResourceNamesW(module.get(), type, AddName, reinterpret_cast<LONG_PTR>(&input.icons));
    return true;
}

// Sets each given string and, for the two versions, the matching numbers.
void ApplyVersion(const BrandOptions& options, VersionInfo& version) {
    for (const auto& [name, value] : options.strings) {
        auto same = [&](const auto& entry) { return entry.first == name; };
        const auto found = std::find_if(version.strings.begin(), version.strings.end(), same);
        if (found != version.strings.end()) {
            found->second = value;
        } else {
            version.strings.emplace_back(name, value);
        }
    }
    if (options.fileVersion) version.fileVersion = *options.fileVersion;
    if (options.productVersion) version.productVersion = *options.productVersion;
}

WString GeneratedPassphrase() {
    std::random_device random;  // the platform's cryptographic generator
    WString passphrase;
    for (int i = 0; i < 32; ++i) passphrase += static_cast<wchar_t>(L'!' + random() % 94);
    return passphrase;
}

// Resources 9000 (the passphrase under the Upgrade Code) and 8000 (the text under the passphrase).
bool BaseSettingsResources(const BrandOptions& options, Bytes& passphrase, Bytes& text, WString& error) {
    Bytes file;
    if (!ReadWholeFile(options.baseSettings, file, error)) return false;
    const std::optional<WString> settings = SettingsText(file);
    if (!settings) {
        error = options.baseSettings + L" is neither UTF-8 nor UTF-16 with a byte-order mark";
        return false;
    }
    const WString secret = options.passphrase.empty() ? GeneratedPassphrase() : options.passphrase;
    passphrase = Utf16Bytes(secret);
    text = Utf16Bytes(*settings);
    if (!CipherBytes(passphrase, ToNarrow(options.upgradeCode)) || !CipherBytes(text, ToNarrow(secret))) {
        error = L"the base settings cannot be enciphered: " + SystemMessage(GetLastError());
        return false;
    }
    return true;
}

bool Update(HANDLE update, const wchar_t* type, const wchar_t* name, WORD language, const void* data, size_t size) {
    return UpdateResourceW(update, type, name, language, const_cast<void*>(data), static_cast<DWORD>(size)) != FALSE;
}

struct Changes {
    std::optional<IconImages> icon;
    Bytes version, passphrase, baseText;
    std::string manifest;
};

bool WriteResources(const WString& path, const InputProgram& input, const Changes& changes) {
    HANDLE update = BeginUpdateResourceW(path.c_str(), FALSE);
    if (update == nullptr) return false;
    bool ok = true;
    if (changes.icon) {
        for (const Resource& old : input.icons) {
            const wchar_t* name = old.name[0] == L'#' ? MAKEINTRESOURCEW(std::stoi(old.name.substr(1))) : old.name.c_str();
            ok = ok && Update(update, old.type, name, old.language, nullptr, 0);
        }
        for (size_t i = 0; i < changes.icon->images.size(); ++i) {
            const Bytes& image = changes.icon->images[i];
            ok = ok && Update(update, RT_ICON, MAKEINTRESOURCEW(i + 1), kNeutral, image.data(), image.size());
        }
        ok = ok && Update(update, RT_GROUP_ICON, MAKEINTRESOURCEW(1), kNeutral, changes.icon->group.data(),
                          changes.icon->group.size());
    }
    ok = ok && Update(update, RT_VERSION, MAKEINTRESOURCEW(1), kNeutral, changes.version.data(), changes.version.size());
    ok = ok && Update(update, RT_MANIFEST, MAKEINTRESOURCEW(1), kNeutral, changes.manifest.data(),
                      changes.manifest.size());
    if (!changes.baseText.empty()) {
        ok = ok && Update(update, RT_RCDATA, MAKEINTRESOURCEW(kBasePassphraseResource), kNeutral,
                          changes.passphrase.data(), changes.passphrase.size());
        ok = ok && Update(update, RT_RCDATA, MAKEINTRESOURCEW(kBaseTextResource), kNeutral, changes.baseText.data(),
                          changes.baseText.size());
    }
    const DWORD failure = ok ? 0 : GetLastError();
    if (!EndUpdateResourceW(update, !ok) || !ok) {
        SetLastError(failure != 0 ? failure : GetLastError());
        return false;
    }
    return true;
}

WString FullPath(const WString& path) {
    wchar_t buffer[4096];
    const DWORD length = GetFullPathNameW(path.c_str(), 4096, buffer, nullptr);
    return length > 0 && length < 4096 ? WString(buffer, length) : path;
}

}  // namespace

bool WriteBrandedCopy(const BrandOptions& options, WString& error) {
    Changes changes;
    if (!options.icon.empty()) {
        Bytes file;
        if (!ReadWholeFile(options.icon, file, error)) return false;
        changes.icon = ReadIconFile(file, 1);
        if (!changes.icon) {
            error = options.icon + L" is not an icon file (.ico)";
            return false;
        }
    }
    if (!options.baseSettings.empty() && !BaseSettingsResources(options, changes.passphrase, changes.baseText, error))
        return false;
    if (CompareStringOrdinal(FullPath(options.input).c_str(), -1, FullPath(options.output).c_str(), -1, TRUE) ==
        CSTR_EQUAL) {
        error = L"--output must name a new file: the input is never changed";
        return false;
    }
    InputProgram input;
    if (!ReadInput(options.input, input, error)) return false;
    ApplyVersion(options, input.version);
    std::optional<Bytes> version = BuildVersionBlock(input.version);
    if (!version) {
        error = L"the version texts do not fit a version block, whose lengths have 16 bits: shorten --company, "
                L"--description, --product-name, --copyright or --original-filename (about 32,000 characters in all)";
        return false;
    }
    changes.version = std::move(*version);
    const std::optional<std::string> manifest =
        options.executionLevel.empty() ? input.manifest
                                       : WithExecutionLevel(input.manifest, ToNarrow(options.executionLevel));
    if (!manifest) {
        error = options.input + L" has a manifest without an execution level";
        return false;
    }
    changes.manifest = *manifest;

    // Replacing a read-only file would lose what its owner protected.
    const DWORD attributes = GetFileAttributesW(options.output.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0) {
        error = options.output + L" is read-only";
        return false;
    }
    const WString partial = options.output + L".partial";
    if (!CopyFileW(options.input.c_str(), partial.c_str(), FALSE)) {
        error = partial + L" cannot be written: " + SystemMessage(GetLastError());
        return false;
    }
    if (!WriteResources(partial, input, changes) ||
        !MoveFileExW(partial.c_str(), options.output.c_str(), MOVEFILE_REPLACE_EXISTING)) {
        error = options.output + L" cannot be written: " + SystemMessage(GetLastError());
        DeleteFileW(partial.c_str());
        return false;
    }
    return true;
}

}  // namespace tarn::brand
