// The stand-in's trace: every call a launcher makes into the runtime, one line each, appended to the
// file named by the environment variable TARN_STANDIN_TRACE when the first line is written
// (nothing is written when it is unset).
//   <thread id> TAB <name> TAB <detail>
// Control characters in name and detail are written as \n, \r, \t or \xNN. Each line is written
// with one append of its own, so every line is on disk even when the
// process ends abruptly (System.exit, a killed test).
#pragma once
#include <initializer_list>
#include <string>
#include <string_view>

namespace tarn::standin {

void TraceLine(std::string_view name, std::string_view detail = {});
// A line whose detail has several fields, separated by tabs.
void TraceLine(std::string_view name, std::initializer_list<std::string_view> fields);
// A broken JNI rule (what -Xcheck:jni reports); tests assert there are none.
void TraceWarning(std::string_view text);

}  // namespace tarn::standin
