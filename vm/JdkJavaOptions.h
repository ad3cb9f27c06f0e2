// JDK_JAVA_OPTIONS as the java command of runtimes 9 and later reads it (args.c,
// JLI_AddArgsFromEnvVar): words separated by white space, quotes grouping without escapes,
// argument files read as on the command line; it may name no main class and none of the options
// that end java's own options. Windows-free.
#pragma once
#include "vm/OptionFolding.h"

namespace tarn {

inline constexpr const wchar_t* kJdkJavaOptions = L"JDK_JAVA_OPTIONS";

// The words of the variable; false when a quote is left open.
bool SplitJdkJavaOptions(const WString& value, WStringList& words);

enum class EnvironmentProblem { None, TerminalOption, TerminalOptionInFile, MainClass };
// java's checks of the variable's words once its argument files are read; a word of the variable
// itself has the origin 'variable', one of a file another. 'at' receives the word at fault.
EnvironmentProblem CheckJdkJavaOptions(const OptionWords& words, uint32_t variable, size_t& at);

}  // namespace tarn
