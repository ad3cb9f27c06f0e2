#include "launcher/SettingsStore.h"

namespace tarn {

bool IsUtf16WithoutByteOrderMark(const unsigned char (&head)[4]) {
    const bool littleEndian = head[0] != 0 && head[1] == 0 && head[2] != 0 && head[3] == 0;
    const bool bigEndian = head[0] == 0 && head[1] != 0 && head[2] == 0 && head[3] != 0;
    return littleEndian || bigEndian;
}

uint32_t MemorySettingsStore::ReadFileHead(unsigned char (&head)[4]) {
    head[0] = head[1] = head[2] = head[3] = 0;
    return 1;
}

void MemorySettingsStore::GetString(const WString& section, const WString& key, WString& value) {
    value.clear();
    for (const auto& candidate : sections_) {
        if (candidate.name != section) continue;
        for (const auto& [name, text] : candidate.pairs) {
            if (name == key) {
                value = text;
                return;
            }
        }
        return;  // only the first section of that name is consulted
    }
}

void MemorySettingsStore::GetSectionNames(WStringList& names) {
    names.clear();
    for (const auto& section : sections_) names.push_back(section.name);
}

bool MemorySettingsStore::WriteString(const WString& section, const WString& key, const WString& value) {
    for (auto& candidate : sections_) {
        if (candidate.name == section) {
            candidate.pairs.emplace_back(key, value);
            return true;
        }
    }
    sections_.push_back({section, {{key, value}}});
    return true;
}

WStringList SplitList(const WString& text, const WString& separator) {
    WStringList pieces;
    if (text.empty()) return pieces;
    if (separator.empty()) return {text};
    size_t start = 0;
    for (;;) {
        const size_t at = text.find(separator, start);
        if (at == WString::npos) {
            if (start < text.size()) pieces.push_back(text.substr(start));
            return pieces;
        }
        pieces.push_back(text.substr(start, at - start));
        start = at + separator.size();
    }
}

static bool IsBlank(wchar_t ch) { return ch == L' ' || ch == L'\t' || ch == L'\r' || ch == L'\n' || ch == L'\v' || ch == L'\f'; }

static WString Trim(const WString& text) {
    size_t begin = 0, end = text.size();
    while (begin < end && IsBlank(text[begin])) ++begin;
    while (end > begin && IsBlank(text[end - 1])) --end;
    return text.substr(begin, end - begin);
}

// Matching quotes at both ends of a value of two or more characters.
static WString WithoutQuotes(const WString& value) {
    const bool quoted = value.size() >= 2 && (value.front() == L'"' || value.front() == L'\'') && value.back() == value.front();
    return quoted ? value.substr(1, value.size() - 2) : value;
}

std::vector<std::pair<WString, WString>> ParseSectionPairs(const WString& block) {
    std::vector<std::pair<WString, WString>> pairs;
    for (size_t at = 0; at < block.size();) {
        size_t end = block.find(L'\0', at);
        if (end == WString::npos) end = block.size();
        const WString line = block.substr(at, end - at);
        at = end + 1;
        if (line.empty()) break;
        const size_t equals = line.find(L'=');
        if (equals == WString::npos) {
            pairs.emplace_back(Trim(line), WString());
        } else {
            pairs.emplace_back(Trim(line.substr(0, equals)), WithoutQuotes(Trim(line.substr(equals + 1))));
        }
    }
    return pairs;
}

void ParseSettingsText(const WString& text, MemorySettingsStore& store) {
    store.Clear();
    WStringList lines = SplitList(text, L"\r\n");
    if (!lines.empty() && !lines.front().empty() && lines.front().front() == 0xFEFF) lines.front().erase(0, 1);
    for (const WString& line : lines) {
        if (line.empty()) continue;
        size_t first = 0;
        while (first < line.size() && line[first] <= L' ') ++first;
        size_t last = line.size();
        while (last > first && line[last - 1] <= L' ') --last;
        if (first < last && line[first] == L'[' && line[last - 1] == L']' && last - first >= 2) {
            store.AddSection(line.substr(first + 1, last - first - 2));
            continue;
        }
        const size_t equals = line.find(L'=');
        if (!store.HasSections() || equals == WString::npos) continue;
        store.AddPair(Trim(line.substr(0, equals)), Trim(line.substr(equals + 1)));
    }
}

}  // namespace tarn
