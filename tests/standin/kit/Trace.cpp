// Reading the stand-in's trace in tests.
#include <gtest/gtest.h>

#include "base/Handles.h"
#include "tests/standin/kit/Standin.h"

namespace tarn::test {
namespace {

std::vector<std::string> Split(std::string_view text, char separator) {
    std::vector<std::string> parts;
    size_t start = 0;
    for (size_t at; (at = text.find(separator, start)) != std::string_view::npos; start = at + 1) {
        parts.emplace_back(text.substr(start, at - start));
    }
    parts.emplace_back(text.substr(start));
    return parts;
}

std::string ReadAll(const WString& path) {
    HandleHolder file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                  nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    std::string bytes;
    if (!file) return bytes;
    char buffer[65536];
    DWORD read = 0;
    while (ReadFile(file.get(), buffer, sizeof buffer, &read, nullptr) && read > 0) bytes.append(buffer, read);
    return bytes;
}

}  // namespace

std::vector<std::string> TraceLine::Fields() const { return Split(detail, '\t'); }

Trace Trace::Read(const WString& path) {
    std::vector<TraceLine> lines;
    for (const std::string& text : Split(ReadAll(path), '\n')) {
        if (text.empty()) continue;
        const size_t first = text.find('\t');
        const size_t second = first == std::string::npos ? std::string::npos : text.find('\t', first + 1);
        TraceLine line;
        line.thread = std::strtoul(text.substr(0, first).c_str(), nullptr, 10);
        if (first != std::string::npos) line.name = text.substr(first + 1, second - first - 1);
        if (second != std::string::npos) line.detail = text.substr(second + 1);
        lines.push_back(std::move(line));
    }
    return Trace(std::move(lines));
}

std::vector<TraceLine> Trace::Named(std::string_view name) const {
    std::vector<TraceLine> found;
    for (const TraceLine& line : lines_) {
        if (line.name == name) found.push_back(line);
    }
    return found;
}

std::vector<std::string> Trace::Details(std::string_view name) const {
    std::vector<std::string> details;
    for (const TraceLine& line : Named(name)) details.push_back(line.detail);
    return details;
}

std::vector<std::string> Trace::Warnings() const { return Details("WARNING"); }

std::vector<std::string> Trace::Options() const {
    std::vector<std::string> options;
    for (const TraceLine& line : Named("Option")) options.push_back(line.Fields().front());
    return options;
}

int Trace::Find(std::string_view name, std::string_view part, int from) const {
    for (int i = std::max(from, 0); i < static_cast<int>(lines_.size()); ++i) {
        if (lines_[i].name == name && lines_[i].detail.find(part) != std::string::npos) return i;
    }
    return -1;
}

std::string Trace::Text() const {
    std::string text;
    for (const TraceLine& line : lines_)
        text += std::to_string(line.thread) + "\t" + line.name + "\t" + line.detail + "\n";
    return text;
}

::testing::AssertionResult NoWarnings(const Trace& trace) {
    const std::vector<std::string> warnings = trace.Warnings();
    if (warnings.empty()) return ::testing::AssertionSuccess();
    auto failure = ::testing::AssertionFailure() << warnings.size() << " JNI warning(s) from the stand-in runtime:\n";
    for (const std::string& warning : warnings) failure << "  " << warning << "\n";
    return failure << "trace:\n" << trace.Text();
}

TraceFile::TraceFile(WString path) : path_(std::move(path)) { DeleteFileW(path_.c_str()); }

void TraceFile::UseInThisProcess() const { SetEnvironmentVariableW(kTraceVariable, path_.c_str()); }

std::vector<std::string> ReadOutputLines(const WString& path) {
    std::string text = ReadAll(path);
    if (!text.empty() && text.back() == '\n') text.pop_back();
    if (text.empty()) return {};
    std::vector<std::string> lines = Split(text, '\n');
    for (std::string& line : lines) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
    }
    return lines;
}

}  // namespace tarn::test
