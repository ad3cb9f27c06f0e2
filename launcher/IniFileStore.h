// The settings file itself, read and written through the Win32 profile functions.
#pragma once
#include <vector>

#include "launcher/SettingsStore.h"

namespace tarn {

class IniFileStore : public SettingsStore {
public:
    explicit IniFileStore(WString path) : path_(std::move(path)) {}

    uint32_t ReadFileHead(unsigned char (&head)[4]) override;
    // As the platform's key reader answers: names compare without ASCII case, the value is trimmed and
    // loses one pair of quotes. Each section is read from the file once, when first asked for; a
    // write through this store reads it again.
    void GetString(const WString& section, const WString& key, WString& value) override;
    void GetSectionNames(WStringList& names) override;
    bool WriteString(const WString& section, const WString& key, const WString& value) override;
    bool DeleteStore() override;
    const WString& Path() const { return path_; }

private:
    const MemorySettingsStore::Section& SectionOf(const WString& name);

    WString path_;
    std::vector<MemorySettingsStore::Section> sections_;  // as read, under the name asked for
};

// A built-in base text supplies values; the file's value replaces them and the
// same key in the section "<name>+" extends them.
class LayeredSettingsStore : public IniFileStore {
public:
    LayeredSettingsStore(WString path, const WString& baseText);
    void GetString(const WString& section, const WString& key, WString& value) override;

private:
    MemorySettingsStore base_;
};

}  // namespace tarn
