// The stand-in splashscreen.dll: records each call the launcher makes and warns about calls out of
// the order a runtime's splash library expects (init, load, jar name, then close once).
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "tests/standin/common/TraceLog.h"
#include "tests/standin/common/Utf.h"

namespace {

enum class SplashState { Fresh, Initialised, Closed };
SplashState state = SplashState::Fresh;

std::string Quoted(const char* text) {
    if (text == nullptr) return "null";
    std::string quoted(1, '"');
    quoted += tarn::standin::ToUtf8(tarn::standin::FromAnsi(text));
    quoted += '"';
    return quoted;
}

void CheckOpen(const char* function) {
    using tarn::standin::TraceWarning;
    if (state == SplashState::Fresh) TraceWarning(std::string(function) + " called before SplashInit");
    if (state == SplashState::Closed) TraceWarning(std::string(function) + " called after SplashClose");
}

}  // namespace

extern "C" {

void SplashInit() {
    tarn::standin::TraceLine("SplashInit");
    if (state != SplashState::Fresh) tarn::standin::TraceWarning("SplashInit called twice");
    state = SplashState::Initialised;
}

// A runtime's library opens the name with the C runtime's fopen, which Windows stops at MAX_PATH
// characters unless the name has the \\?\ prefix (Wine does not, so the limit is kept here).
int SplashLoadFile(const char* fileName) {
    const bool reachable =
        fileName != nullptr && (std::strlen(fileName) < MAX_PATH || std::strncmp(fileName, "\\\\?\\", 4) == 0);
    FILE* file = reachable ? std::fopen(fileName, "rb") : nullptr;
    tarn::standin::TraceLine("SplashLoadFile", Quoted(fileName) + (file != nullptr ? "" : " (cannot be opened)"));
    CheckOpen("SplashLoadFile");
    if (file == nullptr) return 0;
    std::fclose(file);
    return 1;
}

void SplashSetFileJarName(const char* fileName, const char* jarName) {
    tarn::standin::TraceLine("SplashSetFileJarName", Quoted(fileName) + ", " + Quoted(jarName));
    CheckOpen("SplashSetFileJarName");
}

void SplashClose() {
    tarn::standin::TraceLine("SplashClose");
    CheckOpen("SplashClose");
    state = SplashState::Closed;
}

}  // extern "C"
