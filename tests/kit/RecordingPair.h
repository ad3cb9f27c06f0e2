// The recording paired product (tests/pair): a copy of it where a test wants it, and the command
// lines it was started with.
#pragma once
#include <utility>
#include <vector>

#include "base/Text.h"

namespace tarn::test {

class RecordingPair {
public:
    // Copies the program to exePath; every start exits with exitCode.
    explicit RecordingPair(WString exePath, int exitCode = 0);
    const WString& ExePath() const { return exePath_; }
    // For RunOptions::environment of the launcher, which hands its environment to the pair.
    std::vector<std::pair<WString, WString>> Environment() const;
    // The command line of every start, in order.
    WStringList Starts() const;

private:
    WString exePath_;
    WString record_;
    int exitCode_;
};

}  // namespace tarn::test
