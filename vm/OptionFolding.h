// VM parameters as the java command takes them, turned into what a runtime accepts through JNI:
// the module options java takes as two words ("--add-opens m/p=ALL-UNNAMED", "-p mods") become
// the one word "--add-opens=m/p=ALL-UNNAMED", "--module-path=mods"; a few old spellings become
// today's; the options only java itself understands are refused, each with the setting to use
// instead. The rules are those of java.c (ParseArguments, GetOpt, IsModuleOption,
// IsLauncherOption) and args.c (isTerminalOpt). Windows-free.
#pragma once
#include <cstdint>
#include <vector>

#include "base/Text.h"
#include "vm/OptionGate.h"

namespace tarn {

// One word of the VM parameters and where it was written (an index the caller gives meaning:
// the setting, an argument file, JDK_JAVA_OPTIONS), for messages.
struct OptionWord {
    WString text;
    OptionGate gate;
    uint32_t origin = 0;
};
using OptionWords = std::vector<OptionWord>;

// What java makes of an option word, from one table.
enum OptionKind : uint16_t {
    kModuleOption = 1,       // folded with the next word into "--name=value" (java's IsModuleOption)
    kPathOption = 2,         // ... and its value is a path
    kTakesNextWord = 4,      // java takes the next word as the value (its IsWhiteSpaceOption)
    kTerminalOption = 8,     // ends java's options: a main entry, or a report after which java ends
    kValueMissing = 16,      // "--add-modules=" with nothing after the '='
    kLauncherOnly = 0x0F00,  // the setting to use instead (LauncherOnly), for options only java understands
};
enum class LauncherOnly : uint16_t { None, MainJar, MainModule, ClassPath, JvmType, Splash, SourceFile, ReportOnly };
uint16_t KindOf(const WString& word);
inline LauncherOnly LauncherOnlyUse(uint16_t kind) { return static_cast<LauncherOnly>((kind & kLauncherOnly) >> 8); }

// Why folding stopped: 1 to 7 an option only java understands (the LauncherOnly value, which
// names the setting to use instead), or one of these.
enum FoldReason : uint16_t { kFolded = 0, kMainClass = 8, kMissingModulePath = 9, kMissingModules = 10 };

struct FoldResult {
    OptionWords options;
    uint16_t reason = kFolded;
    OptionWord word;  // the word at fault
};

// Folds the words in order; the first problem ends it. A folded option takes the gates of both
// its words. Folding the result again changes nothing.
FoldResult FoldOptionWords(const OptionWords& words);

}  // namespace tarn
