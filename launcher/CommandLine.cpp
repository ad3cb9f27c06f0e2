#include "launcher/CommandLine.h"

#include <cwctype>

namespace tarn {

void SplitCommandLine(const WString& text, WStringList& list) {
    size_t at = 0;
    while (at < text.size()) {
        size_t end;
        if (text[at] == L'"') {
            const size_t close = text.find(L'"', at + 1);
            end = close == WString::npos ? text.size() : close;
            list.push_back(text.substr(at + 1, end - at - 1));
            at = close == WString::npos ? text.size() : close + 1;
        } else {
            end = text.find(L' ', at);
            if (end == WString::npos) end = text.size();
            list.push_back(text.substr(at, end - at));
            at = end;
        }
        while (at < text.size() && text[at] == L' ') ++at;
    }
}

WStringList ProgramArguments(const WString& commandLine) {
    size_t begin = 0, end = commandLine.size();
    while (begin < end && std::iswspace(commandLine[begin])) ++begin;
    while (end > begin && std::iswspace(commandLine[end - 1])) --end;
    WStringList words;
    SplitCommandLine(commandLine.substr(begin, end - begin), words);
    if (!words.empty()) words.erase(words.begin());
    return words;
}

}  // namespace tarn
