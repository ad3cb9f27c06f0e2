// The built-in base settings text: two enciphered RCDATA resources of the executable.
#pragma once
#include <windows.h>

#include <vector>

#include "base/Text.h"

namespace tarn {

constexpr unsigned kBasePassphraseResource = 9000;  // passphrase of 8000, under the Upgrade Code
constexpr unsigned kBaseTextResource = 8000;        // the base INI text, under that passphrase

// The base text of a module (the executable when null), empty when it carries none.
WString LoadBaseText(const WString& upgradeCode, HMODULE module = nullptr);
// Enciphers or deciphers bytes in place under a passphrase (MD5 -> RC4, base provider).
bool CipherBytes(std::vector<BYTE>& bytes, const NarrowString& passphrase);
// Deciphers one resource with a passphrase (MD5 -> RC4, base provider); empty when absent.
WString DecipherResource(unsigned resource, const NarrowString& passphrase, HMODULE module = nullptr);

}  // namespace tarn
