#include "vm/tests/LaunchKit.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "tests/kit/TextFiles.h"

namespace tarn::test {

LaunchApp::LaunchApp(const RuntimeSpec& runtime, const WString& launcher)
    : app_(L"App.exe", launcher), runtimeFolder_(LayOutRuntime(app_.Path() + L"\\jre", runtime)),
      trace_(app_.Path() + L"\\trace.txt") {}

void LaunchApp::WriteIni(const WString& extra, const WString& classPath, const WString& mainClass) {
    app_.WriteIni(L"[Class Path]\r\nClass Path=" + classPath + L"\r\n[Java Runtime Environment]\r\nMain Class=" +
                  mainClass + L"\r\n" + extra);
}

void LaunchApp::WriteMain(const std::string& script, const std::string& className) {
    WriteClass(Path() + L"\\classes", className, script);
}

RunResult LaunchApp::Run(const WString& arguments, std::vector<std::pair<WString, WString>> environment,
                         DWORD timeoutMs) const {
    RunOptions options;
    options.timeoutMs = timeoutMs;
    options.environment = std::move(environment);
    options.environment.push_back(trace_.Variable());
    return app_.Run(arguments, options);
}

Trace RunCleanly(const LaunchApp& app, int exitCode, const WString& arguments,
                 std::vector<std::pair<WString, WString>> environment) {
    const RunResult result = app.Run(arguments, std::move(environment));
    EXPECT_TRUE(result.finished) << "the launcher did not end in time";
    EXPECT_EQ(result.ExitCode(), exitCode);
    EXPECT_EQ(result.DialogTexts(), WStringList{});
    Trace trace = app.ReadTrace();
    EXPECT_TRUE(NoWarnings(trace));
    return trace;
}

WStringList Printed(const Trace& trace, const std::string& stream) {
    WStringList lines;
    for (const TraceLine& line : trace.Named("Print")) {
        const std::vector<std::string> fields = line.Fields();
        if (fields.size() == 2 && fields[0] == stream) lines.push_back(FromUtf8(fields[1]));
    }
    return lines;
}

int FindCall(const Trace& trace, const std::string& prefix, const std::string& part, int from) {
    const std::vector<TraceLine>& lines = trace.Lines();
    for (int i = std::max(from, 0); i < static_cast<int>(lines.size()); ++i) {
        if (lines[i].name.rfind(prefix, 0) == 0 && lines[i].detail.find(part) != std::string::npos) return i;
    }
    return -1;
}

std::vector<VmOption> VmOptions(const Trace& trace) {
    std::vector<VmOption> options;
    for (const TraceLine& line : trace.Named("Option")) {
        const std::vector<std::string> fields = line.Fields();
        options.push_back({fields[0], fields.size() > 1 && fields[1] == "extraInfo"});
    }
    return options;
}

std::vector<std::string> VmOptionTexts(const Trace& trace) {
    std::vector<std::string> texts;
    for (const VmOption& option : VmOptions(trace)) texts.push_back(option.text);
    return texts;
}

std::string Utf8(const WString& text) { return ToUtf8(text); }

WString PrintedValue(const Trace& trace, const std::string& name) {
    const WString prefix = FromUtf8(name) + L"=";
    for (const WString& line : Printed(trace)) {
        if (line.compare(0, prefix.size(), prefix) == 0) return line.substr(prefix.size());
    }
    return L"<absent>";
}

}  // namespace tarn::test
