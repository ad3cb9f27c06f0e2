// The one conversion point for paths that go into 8-bit VM options: the ANSI code page checked
// without best-fit substitutes, the short (8.3) form when the name does not fit.
#pragma once
#include "base/PathFit.h"

namespace tarn {

// The short form of an existing path; empty when the volume gives none. A seam: a test launcher
// replaces it to stand for a volume with short names switched off.
using ShortPathReader = WString (*)(const WString& path);
WString SystemShortPath(const WString& path);

// True when every character survives the thread's ANSI code page (no default character, no best fit).
bool FitsCodePage(const WString& text);
// The file system and code page as RepresentablePath asks them.
PathQueries SystemPathQueries(ShortPathReader shortPath);

}  // namespace tarn
