#include "launcher/BaseText.h"

#include <wincrypt.h>

#include <vector>

#include "base/Conversion.h"
#include "base/Handles.h"

namespace tarn {

namespace {

void ReleaseProvider(HCRYPTPROV provider) noexcept { CryptReleaseContext(provider, 0); }
void DestroyHash(HCRYPTHASH hash) noexcept { CryptDestroyHash(hash); }
void DestroyKey(HCRYPTKEY key) noexcept { CryptDestroyKey(key); }

using CryptProviderHolder = UniqueResource<ResourceTraits<HCRYPTPROV, 0, ReleaseProvider>>;
using CryptHashHolder = UniqueResource<ResourceTraits<HCRYPTHASH, 0, DestroyHash>>;
using CryptKeyHolder = UniqueResource<ResourceTraits<HCRYPTKEY, 0, DestroyKey>>;

// The user's language first; when only the neutral resource answers for it, the primary
// language with its default sublanguage, and the neutral resource last.
HRSRC FindSettingsResource(HMODULE module, unsigned resource) {
    auto find = [&](LANGID language) {
        return FindResourceExW(module, RT_RCDATA, MAKEINTRESOURCEW(resource), language);
    };
    const LANGID user = GetUserDefaultLangID();
    const HRSRC neutral = find(MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL));
    const HRSRC own = find(user);
    if (own != nullptr && own != neutral) return own;
    const HRSRC primary = find(MAKELANGID(PRIMARYLANGID(user), SUBLANG_DEFAULT));
    return primary != nullptr ? primary : neutral;
}

std::vector<BYTE> ResourceBytes(HMODULE module, unsigned resource) {
    const HRSRC found = FindSettingsResource(module, resource);
    if (found == nullptr) return {};
    const auto* data = static_cast<const BYTE*>(LockResource(LoadResource(module, found)));
    if (data == nullptr) return {};
    return std::vector<BYTE>(data, data + SizeofResource(module, found));
}

}  // namespace

bool CipherBytes(std::vector<BYTE>& bytes, const NarrowString& passphrase) {
    CryptProviderHolder provider;
    CryptHashHolder hash;
    CryptKeyHolder key;
    if (!CryptAcquireContextW(provider.put(), nullptr, MS_DEF_PROV_W, PROV_RSA_FULL, CRYPT_VERIFYCONTEXT) ||
        !CryptCreateHash(provider.get(), CALG_MD5, 0, 0, hash.put()) ||
        !CryptHashData(hash.get(), reinterpret_cast<const BYTE*>(passphrase.data()),
                       static_cast<DWORD>(passphrase.size()), 0) ||
        !CryptDeriveKey(provider.get(), CALG_RC4, hash.get(), 0, key.put()))
        return false;
    // RC4 is a stream cipher: deciphering and enciphering are the same operation.
    DWORD length = static_cast<DWORD>(bytes.size());
    if (!CryptDecrypt(key.get(), 0, TRUE, 0, bytes.data(), &length)) return false;
    bytes.resize(length);
    return true;
}

WString DecipherResource(unsigned resource, const NarrowString& passphrase, HMODULE module) {
    if (module == nullptr) module = GetModuleHandleW(nullptr);
    std::vector<BYTE> bytes = ResourceBytes(module, resource);
    if (bytes.empty() || !CipherBytes(bytes, passphrase)) return {};
    // Little-endian UTF-16, two bytes per unit; an odd last byte is no unit.
    WString text;
    text.reserve(bytes.size() / 2);
    for (size_t i = 0; i + 1 < bytes.size(); i += 2) text += static_cast<wchar_t>(bytes[i] | (bytes[i + 1] << 8));
    return text;
}

WString LoadBaseText(const WString& upgradeCode, HMODULE module) {
    const WString passphrase = DecipherResource(kBasePassphraseResource, ToNarrow(upgradeCode), module);
    return DecipherResource(kBaseTextResource, ToNarrow(passphrase), module);
}

}  // namespace tarn
