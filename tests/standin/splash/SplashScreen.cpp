// The stand-in splashscreen.dll: records each call the launcher makes and warns about calls out of
// the order a runtime's splash library expects (init, load, jar name, then close once).
#include <windows.h>

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

int SplashLoadFile(const char* fileName) {
    const bool exists = fileName != nullptr && GetFileAttributesA(fileName) != INVALID_FILE_ATTRIBUTES;
    tarn::standin::TraceLine("SplashLoadFile", Quoted(fileName) + (exists ? "" : " (missing)"));
    CheckOpen("SplashLoadFile");
    return exists ? 1 : 0;
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
