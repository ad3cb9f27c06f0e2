#include "vm/OptionFolding.h"

#include <cwchar>

namespace tarn {
namespace {

constexpr uint16_t kPrefix = 0x8000;  // the name starts the word; otherwise it is the whole word
constexpr uint16_t Use(LauncherOnly use) { return static_cast<uint16_t>(static_cast<uint16_t>(use) << 8); }
constexpr uint16_t kReport = kTerminalOption | Use(LauncherOnly::ReportOnly);

struct NamedOption {
    const wchar_t* name;
    uint16_t kind;
};

const NamedOption kOptions[] = {
    {L"--module-path", kModuleOption | kPathOption | kTakesNextWord}, {L"-p", kModuleOption | kPathOption | kTakesNextWord},
    {L"--upgrade-module-path", kModuleOption | kPathOption | kTakesNextWord},
    {L"--add-modules", kModuleOption | kTakesNextWord}, {L"--enable-native-access", kModuleOption | kTakesNextWord},
    {L"--limit-modules", kModuleOption | kTakesNextWord}, {L"--add-exports", kModuleOption | kTakesNextWord},
    {L"--add-opens", kModuleOption | kTakesNextWord}, {L"--add-reads", kModuleOption | kTakesNextWord},
    {L"--patch-module", kModuleOption | kTakesNextWord},
    {L"--module-path=", kValueMissing}, {L"--upgrade-module-path=", kValueMissing}, {L"--add-modules=", kValueMissing},
    {L"--enable-native-access=", kValueMissing}, {L"--limit-modules=", kValueMissing}, {L"--add-exports=", kValueMissing},
    {L"--add-reads=", kValueMissing}, {L"--patch-module=", kValueMissing},
    {L"-jar", kTerminalOption | Use(LauncherOnly::MainJar)},
    {L"-m", kTakesNextWord | kTerminalOption | Use(LauncherOnly::MainModule)},
    {L"--module", kTakesNextWord | kTerminalOption | Use(LauncherOnly::MainModule)},
    {L"--module=", kPrefix | kTerminalOption | Use(LauncherOnly::MainModule)},
    {L"-cp", kTakesNextWord | Use(LauncherOnly::ClassPath)}, {L"-classpath", kTakesNextWord | Use(LauncherOnly::ClassPath)},
    {L"--class-path", kTakesNextWord | Use(LauncherOnly::ClassPath)}, {L"--class-path=", kPrefix | Use(LauncherOnly::ClassPath)},
    {L"--source", kTakesNextWord | Use(LauncherOnly::SourceFile)}, {L"--source=", kPrefix | Use(LauncherOnly::SourceFile)},
    {L"--describe-module", kTakesNextWord | Use(LauncherOnly::ReportOnly)}, {L"-d", kTakesNextWord | Use(LauncherOnly::ReportOnly)},
    {L"--describe-module=", kPrefix | Use(LauncherOnly::ReportOnly)},
    {L"--dry-run", kReport}, {L"-h", kReport}, {L"-?", kReport}, {L"-help", kReport}, {L"--help", kReport}, {L"-X", kReport},
    {L"--help-extra", kReport}, {L"-version", kReport}, {L"--version", kReport}, {L"-fullversion", kReport},
    {L"--full-version", kReport}, {L"-showversion", Use(LauncherOnly::ReportOnly)},
    {L"--show-version", Use(LauncherOnly::ReportOnly)}, {L"--list-modules", Use(LauncherOnly::ReportOnly)},
    {L"--validate-modules", Use(LauncherOnly::ReportOnly)}, {L"--show-resolved-modules", Use(LauncherOnly::ReportOnly)},
    {L"-XshowSettings", Use(LauncherOnly::ReportOnly)}, {L"-XshowSettings:", kPrefix | Use(LauncherOnly::ReportOnly)},
    {L"-client", Use(LauncherOnly::JvmType)}, {L"-server", Use(LauncherOnly::JvmType)}, {L"-minimal", Use(LauncherOnly::JvmType)},
    {L"-XXaltjvm=", kPrefix | Use(LauncherOnly::JvmType)}, {L"-splash:", kPrefix | Use(LauncherOnly::Splash)},
};

// The spellings java still takes and hands to the VM in today's form; an empty one drops the word
// ("--disable-@files" is acted on while the words are read).
// From "-noverify" on, those of java 8 to 21; the newest java no longer knows them.
const wchar_t* const kRenamed[][2] = {
    {L"-Xdiag", L"-Dsun.java.launcher.diag=true"}, {L"--show-module-resolution", L"-Djdk.module.showModuleResolution=true"},
    {L"-verbosegc", L"-verbose:gc"}, {L"-verify", L"-Xverify:all"}, {L"-debug", L""}, {L"--disable-@files", L""},
    {L"-noverify", L"-Xverify:none"}, {L"-verifyremote", L"-Xverify:remote"}, {L"-noclassgc", L"-Xnoclassgc"},
    {L"-Xfuture", L"-Xverify:all"}, {L"-t", L"-Xt"}, {L"-tm", L"-Xtm"}, {L"-checksource", L""}, {L"-cs", L""},
    {L"-noasyncgc", L""},
};

bool Translate(WString& word) {
    for (const auto& renamed : kRenamed) {
        if (word == renamed[0]) return word = renamed[1], true;
    }
    // -ss, -oss, -ms and -mx are the old names of -Xss, -Xoss, -Xms and -Xmx.
    if (word.compare(0, 3, L"-ss") == 0 || word.compare(0, 4, L"-oss") == 0 || word.compare(0, 3, L"-ms") == 0 ||
        word.compare(0, 3, L"-mx") == 0) {
        word.insert(1, L"X");
        return true;
    }
    return false;
}

FoldResult Problem(uint16_t reason, const OptionWord& word) {
    FoldResult result;
    result.reason = reason;
    result.word = word;
    return result;
}

}  // namespace

uint16_t KindOf(const WString& word) {
    for (const NamedOption& option : kOptions) {
        const bool prefix = (option.kind & kPrefix) != 0;
        if (prefix ? word.compare(0, std::wcslen(option.name), option.name) == 0 : word == option.name) {
            return option.kind & ~kPrefix;
        }
    }
    return 0;
}

FoldResult FoldOptionWords(const OptionWords& words) {
    FoldResult result;
    for (size_t i = 0; i < words.size(); ++i) {
        OptionWord word = words[i];
        const uint16_t kind = KindOf(word.text);
        if (word.text.empty() || word.text[0] != L'-') return Problem(kMainClass, word);
        if (kind & kLauncherOnly) return Problem(static_cast<uint16_t>(LauncherOnlyUse(kind)), word);
        if (kind & kValueMissing) return Problem(kMissingModules, word);
        if (kind & kModuleOption) {
            // As java: the next word is the value unless it is missing, empty or another option.
            if (i + 1 == words.size() || words[i + 1].text.empty() || words[i + 1].text[0] == L'-') {
                return Problem(kind & kPathOption ? kMissingModulePath : kMissingModules, word);
            }
            const OptionWord& value = words[++i];
            word.text = (word.text == L"-p" ? WString(L"--module-path") : word.text) + L"=" + value.text;
            word.gate = Narrowed(word.gate, value.gate);
        }
        if (!Translate(word.text) || !word.text.empty()) result.options.push_back(word);
    }
    return result;
}

}  // namespace tarn
