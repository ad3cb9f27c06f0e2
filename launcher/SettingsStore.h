// Readers of the settings: the INI file, in-memory INI data, and the layered read over both.
#pragma once
#include <cstdint>
#include <utility>
#include <vector>

#include "base/Text.h"

namespace tarn {

class SettingsStore {
public:
    virtual ~SettingsStore() = default;
    // Reads the first 4 bytes of the store; 0 on success, else a Win32 error code.
    virtual uint32_t ReadFileHead(unsigned char (&head)[4]) = 0;
    // A missing key yields an empty value.
    virtual void GetString(const WString& section, const WString& key, WString& value) = 0;
    virtual void GetSectionNames(WStringList& names) = 0;
    virtual bool WriteString(const WString& section, const WString& key, const WString& value) = 0;
    virtual bool DeleteStore() = 0;

    WString Read(const WString& section, const WString& key) {
        WString value;
        GetString(section, key, value);
        return value;
    }
};

// In-memory INI data: keeps insertion order, never merges, compares names exactly.
class MemorySettingsStore : public SettingsStore {
public:
    struct Section {
        WString name;
        std::vector<std::pair<WString, WString>> pairs;
    };

    uint32_t ReadFileHead(unsigned char (&head)[4]) override;
    void GetString(const WString& section, const WString& key, WString& value) override;
    void GetSectionNames(WStringList& names) override;
    bool WriteString(const WString& section, const WString& key, const WString& value) override;
    bool DeleteStore() override { return true; }

    void Clear() { sections_.clear(); }
    void AddSection(const WString& name) { sections_.push_back({name, {}}); }
    // Appends to the last section; callers open one first.
    void AddPair(const WString& key, const WString& value) { sections_.back().pairs.emplace_back(key, value); }
    bool HasSections() const { return !sections_.empty(); }
    const std::vector<Section>& Sections() const { return sections_; }

private:
    std::vector<Section> sections_;
};

// Parses INI text (CR LF lines) into a memory store; see the settings documentation for the rules.
void ParseSettingsText(const WString& text, MemorySettingsStore& store);
// True for the head of UTF-16 text without a byte-order mark (two characters below 256, either byte
// order), which the profile reader takes for 8-bit text and so finds no key in.
bool IsUtf16WithoutByteOrderMark(const unsigned char (&head)[4]);
// The pairs of a section as the profile reader lists them ("key=value", a NUL after each), in file
// order, each as its key reader gives it: names and values trimmed, one pair of quotes around the
// value dropped.
std::vector<std::pair<WString, WString>> ParseSectionPairs(const WString& block);
// Splits at every separator; empty pieces are kept, except after the last separator.
WStringList SplitList(const WString& text, const WString& separator);

}  // namespace tarn
