#include "jre/ReleaseFile.h"

namespace tarn {

namespace {

constexpr std::string_view kVersionKey = "JAVA_VERSION=";

std::string_view Trimmed(std::string_view text) {
    while (!text.empty() && (text.back() == '\r' || text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    return text;
}

}  // namespace

std::optional<JavaVersion> ReleaseFileVersion(std::string_view text) {
    while (!text.empty()) {
        const size_t end = text.find('\n');
        std::string_view line = Trimmed(text.substr(0, end));
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        if (!line.starts_with(kVersionKey)) continue;
        line.remove_prefix(kVersionKey.size());
        if (line.size() >= 2 && line.front() == '"' && line.back() == '"') line = line.substr(1, line.size() - 2);
        // "17", "17.0.9", "1.8.0_392" and "21-ea" name versions; "", "unknown" or "x17" do not.
        if (line.empty() || line.front() < '0' || line.front() > '9') return std::nullopt;
        JavaVersion version;
        if (!ParseVersion(WString(line.begin(), line.end()), 0, version)) return std::nullopt;
        return version;
    }
    return std::nullopt;
}

}  // namespace tarn
