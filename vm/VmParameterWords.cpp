#include "vm/VmParameterWords.h"

#include <windows.h>

#include <algorithm>

#include "base/Conversion.h"
#include "base/Environment.h"
#include "base/Files.h"
#include "base/LogFile.h"
#include "base/StringTable.h"
#include "report/StandardError.h"
#include "vm/ArgumentFileText.h"
#include "vm/ClassPath.h"
#include "vm/JdkJavaOptions.h"
#include "vm/OptionPaths.h"
#include "vm/OptionText.h"

namespace tarn {
namespace {

// Read at the moment each share is resolved, as the machine reports it to this process.
uint64_t ReadMemoryBase(MemoryBase base) {
    MEMORYSTATUS status{};
    status.dwLength = sizeof status;
    GlobalMemoryStatus(&status);
    return base == MemoryBase::FreeAddressSpace ? status.dwAvailVirtual : status.dwTotalPhys;
}

// Where words come from, for messages: the setting, the variable, then each argument file read.
struct WordSources {
    WStringList names{L"\"Virtual Machine Parameters\"", kJdkJavaOptions};
    bool filesRead = true;  // until "--disable-@files", as java
};
constexpr uint32_t kSetting = 0, kVariable = 1;
constexpr unsigned kLeftOutOption = 423;

// Adds the word, or the words of the argument file it names ("@name", in 'folder' when relative),
// read as java reads them: bytes in the ANSI code page. False after the message.
bool AddWord(const Launcher& launcher, WString word, OptionGate gate, uint32_t origin, const WString& folder,
             WordSources& sources, OptionWords& words) {
    WString name = word;  // "@@x" stands for "@x"
    if (!sources.filesRead || !NamesArgumentFile(name)) {
        if (sources.filesRead) word = name;
        sources.filesRead = sources.filesRead && word != L"--disable-@files";
        words.push_back({word, gate, origin});
        return true;
    }
    const WString written = SearchPatternOf(name, folder);
    WString path = FullPathName(written);
    if (path.empty()) path = written;
    HandleHolder file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    std::string bytes;
    char buffer[4096];
    DWORD read = 0;
    BOOL ok = file ? TRUE : FALSE;
    while (ok && (ok = ReadFile(file.get(), buffer, sizeof buffer, &read, nullptr)) && read > 0) bytes.append(buffer, read);
    if (!ok) {
        ShowSystemError(launcher.reporter, 420, path, GetLastError());
        return false;
    }
    bytes.resize(std::min(bytes.size(), bytes.find('\x1a')));  // java reads in text mode: Ctrl-Z ends the file
    sources.names.push_back(path);
    for (const NarrowString& fileWord : ParseArgumentFile(bytes)) {
        words.push_back({FromNarrow(fileWord), gate, static_cast<uint32_t>(sources.names.size() - 1)});
        sources.filesRead = sources.filesRead && words.back().text != L"--disable-@files";
    }
    return true;
}

// Folds the words and appends the options whose gates admit the runtime; its version is read
// only when some option carries a gate. The texts 406 to 415 follow the fold's reasons.
bool AppendFolded(Launcher& launcher, const OptionWords& words, const WordSources& sources, RuntimeVersion& runtime,
                  WStringList* javaWords) {
    const FoldResult folded = FoldOptionWords(words);
    if (folded.reason != kFolded) {
        ShowFormattedError(launcher.reporter, 405,
                           {sources.names[folded.word.origin], folded.word.text, LoadText(405 + folded.reason)});
        return false;
    }
    for (const OptionWord& option : folded.options) {
        if (!(option.gate == OptionGate{}) && !option.gate.Admits(runtime.Feature())) continue;
        if (option.text.compare(0, 4, L"-Xss") == 0) launcher.vmThreadStackSize = StackSizeOfOption(option.text);
        launcher.vmOptions.push_back(ToNarrow(option.text));
        if (javaWords != nullptr) javaWords->push_back(FromNarrow(launcher.vmOptions.back()));
    }
    return true;
}

// java takes its own options from the variable too; the launcher cannot, but a variable set for the
// whole machine must not stop every program: each is left out (with its value), and the log says so.
OptionWords WithoutLauncherOptions(const OptionWords& words, const WordSources& sources) {
    OptionWords kept;
    for (size_t i = 0; i < words.size(); ++i) {
        const uint16_t kind = KindOf(words[i].text);
        if (!(kind & kLauncherOnly)) {
            kept.push_back(words[i]);
            continue;
        }
        const WString& source = sources.names[words[i].origin];
        WString option = words[i].text;
        if ((kind & kTakesNextWord) && i + 1 < words.size()) option += L" " + words[++i].text;
        if (LogEnabled()) AppendLogLines({Format(LoadText(kLeftOutOption), {source, option})});
    }
    return kept;
}

}  // namespace

bool AppendEnvironmentOptions(Launcher& launcher, RuntimeVersion& runtime) {
    WString value;
    if (!LookUpVariable(kJdkJavaOptions, value)) return true;
    // Read by the java command of runtimes 9 and later only.
    if (runtime.Feature() != 0 && runtime.Feature() < 9) return true;
    const WString notice = Format(LoadText(421), {value});
    if (!launcher.reporter.ShowsWindows()) WriteStandardError(notice);
    if (LogEnabled()) AppendLogLines({notice});
    WordSources sources;
    WStringList split;
    OptionWords words;
    if (!SplitJdkJavaOptions(value, split)) {
        ShowErrorBox(launcher.reporter, 419);
        return false;
    }
    // As java: an argument file named there lies in the current folder.
    for (const WString& word : split) {
        if (!AddWord(launcher, word, {}, kVariable, L".", sources, words)) return false;
    }
    size_t at = 0;
    const EnvironmentProblem problem = CheckJdkJavaOptions(words, kVariable, at);
    if (problem != EnvironmentProblem::None) {
        ShowFormattedError(launcher.reporter, 415 + static_cast<unsigned>(problem), {words[at].text, sources.names[words[at].origin]});
        return false;
    }
    return AppendFolded(launcher, WithoutLauncherOptions(words, sources), sources, runtime, nullptr);
}

bool AppendVmParameters(Launcher& launcher, const WString& text, const WString& exeFolder, RuntimeVersion& runtime,
                        WStringList& javaWords) {
    WordSources sources;
    OptionWords words;
    // Tarn's own rules first: quotes, gates, memory shares, environment references.
    for (WString token : SplitVmParameters(text)) {
        RemoveQuotes(token);
        const OptionGate gate = TakeGate(token);
        if (IsRelativeMemoryOption(token)) ResolveRelativeMemoryOption(token, &ReadMemoryBase);
        WString word;
        if (!ExpandVmParameter(launcher, token, word) || !AddWord(launcher, word, gate, kSetting, exeFolder, sources, words)) {
            return false;
        }
    }
    return AppendFolded(launcher, words, sources, runtime, &javaWords);
}

}  // namespace tarn
