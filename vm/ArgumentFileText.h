// The words of an argument file ("@file"), read by the rules of the java command: white space
// separates, single or double quotes group, '#' starts a comment to the end of the line, a
// backslash escapes inside quotes and, before a line end, joins the next line. Windows-free.
#pragma once
#include <string_view>

#include "base/Text.h"

namespace tarn {

// The file's bytes as java reads them (8-bit text); a word holding a NUL ends there, as in C.
NarrowStringList ParseArgumentFile(std::string_view text);
// What java makes of a word that starts with '@': "@name" names an argument file (true, the word
// becomes the name), "@@x" stands for the word "@x", and "@" alone is a word (false for both).
bool NamesArgumentFile(WString& word);

}  // namespace tarn
