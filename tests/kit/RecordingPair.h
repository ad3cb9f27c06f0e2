// The recording paired product (tests/pair) copied where a test wants it, and how it was started.
#pragma once
#include <utility>
#include <vector>

#include "base/Text.h"

namespace tarn::test {

class RecordingPair {
public:
    // Every start of the copy at exePath exits with exitCode (the same for every copy in one
    // environment); each copy records its own starts.
    explicit RecordingPair(WString exePath, int exitCode = 0);
    const WString& ExePath() const { return exePath_; }
    // For the launcher's environment, which the pair inherits.
    std::vector<std::pair<WString, WString>> Environment() const;
    WStringList Starts() const;  // the command line of every start, in order

private:
    WString exePath_;
    int exitCode_;
};

}  // namespace tarn::test
