// The files the branding tool takes in: whole files, and settings text in UTF-8 or UTF-16.
#pragma once
#include <optional>

#include "base/Text.h"
#include "brand/ResourceBytes.h"

namespace tarn::brand {

// The system's sentence for a Win32 error code, without its line end.
WString SystemMessage(unsigned long code);
// The file's bytes; false with error set (naming the file and the reason).
bool ReadWholeFile(const WString& path, Bytes& bytes, WString& error);
// A settings file's text with CR LF line ends: UTF-16 LE with byte-order mark, or UTF-8 with or
// without one; nothing for any other bytes.
std::optional<WString> SettingsText(const Bytes& file);
// Little-endian UTF-16 bytes of the text, no terminator.
Bytes Utf16Bytes(const WString& text);

}  // namespace tarn::brand
