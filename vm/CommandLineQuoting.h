// Command lines that the C runtime (CommandLineToArgvW) splits back into the same words, for the
// "java" command of the discovery log. cmd.exe passes them on unchanged unless a word holds a '"'
// (cmd.exe's quoting ends there, so a later & | < > ^ acts) or a %NAME% (cmd.exe expands it). Windows-free.
#pragma once
#include "base/Text.h"

namespace tarn {

// The word as it is when nothing in it needs quotes; otherwise in quotes, with backslashes doubled
// only where they come before a quote. cmd.exe's own characters (& | < > ^ ( )) are quoted too.
WString QuotedArgument(const WString& word);
// The program (always quoted: its path may hold spaces) and the words, separated by blanks.
WString CommandLineOf(const WString& program, const WStringList& words);

}  // namespace tarn
