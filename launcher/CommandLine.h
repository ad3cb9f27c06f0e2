// Splitting command lines into words. Windows-free.
#pragma once
#include "base/Text.h"

namespace tarn {

// Splits a command line into words: only spaces separate, a double-quoted run is one word.
void SplitCommandLine(const WString& text, WStringList& list);
// The command line without its leading and trailing white space and without the program path.
WStringList ProgramArguments(const WString& commandLine);

}  // namespace tarn
