// The version a runtime states in its "release" file: JAVA_VERSION="17.0.9".
#pragma once
#include <optional>
#include <string_view>

#include "jre/JavaVersion.h"

namespace tarn {

// Windows-free: the version in the text of a release file; nothing when the file has no
// JAVA_VERSION line or its value does not begin with a digit.
std::optional<JavaVersion> ReleaseFileVersion(std::string_view text);

// The version stated by home + "release" (home ends with a backslash); nothing when the file is
// missing, unreadable or says no version.
std::optional<JavaVersion> ReadReleaseVersion(const WString& home);

}  // namespace tarn
