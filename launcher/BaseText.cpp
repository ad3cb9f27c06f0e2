#include "launcher/BaseText.h"

#include <windows.h>
#include <wincrypt.h>

#include <vector>

#include "base/Conversion.h"

namespace tarn {

namespace {

struct CryptContext {
    HCRYPTPROV provider = 0;
    HCRYPTHASH hash = 0;
    HCRYPTKEY key = 0;
    ~CryptContext() {
        if (key) CryptDestroyKey(key);
        if (hash) CryptDestroyHash(hash);
        if (provider) CryptReleaseContext(provider, 0);
    }
};

// The user's language first, then its primary language, then the neutral resource.
std::vector<BYTE> ResourceBytes(unsigned resource) {
    HMODULE module = GetModuleHandleW(nullptr);
    const LANGID user = GetUserDefaultLangID();
    const LANGID neutral = MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL);
    const LANGID tries[] = {user, MAKELANGID(PRIMARYLANGID(user), SUBLANG_DEFAULT), neutral};
    for (LANGID language : tries) {
        HRSRC found = FindResourceExW(module, RT_RCDATA, MAKEINTRESOURCEW(resource), language);
        if (found == nullptr) continue;
        const auto* data = static_cast<const BYTE*>(LockResource(LoadResource(module, found)));
        if (data == nullptr) continue;
        return std::vector<BYTE>(data, data + SizeofResource(module, found));
    }
    return {};
}

}  // namespace

WString DecipherResource(unsigned resource, const NarrowString& passphrase) {
    std::vector<BYTE> bytes = ResourceBytes(resource);
    if (bytes.empty()) return {};
    CryptContext crypt;
    if (!CryptAcquireContextW(&crypt.provider, nullptr, MS_DEF_PROV_W, PROV_RSA_FULL, CRYPT_VERIFYCONTEXT) ||
        !CryptCreateHash(crypt.provider, CALG_MD5, 0, 0, &crypt.hash) ||
        !CryptHashData(crypt.hash, reinterpret_cast<const BYTE*>(passphrase.data()), static_cast<DWORD>(passphrase.size()), 0) ||
        !CryptDeriveKey(crypt.provider, CALG_RC4, crypt.hash, 0, &crypt.key))
        return {};
    DWORD length = static_cast<DWORD>(bytes.size());
    if (!CryptDecrypt(crypt.key, 0, TRUE, 0, bytes.data(), &length)) return {};
    WString text;
    for (DWORD i = 0; i + 1 < length && i + 1 < bytes.size(); i += 2)
        text += static_cast<wchar_t>(bytes[i] | (bytes[i + 1] << 8));
    return text;
}

WString LoadBaseText(const WString& upgradeCode) {
    const WString passphrase = DecipherResource(kBasePassphraseResource, ToNarrow(upgradeCode));
    return DecipherResource(kBaseTextResource, ToNarrow(passphrase));
}

}  // namespace tarn
