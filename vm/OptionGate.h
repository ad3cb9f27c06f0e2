// Version gates on VM parameters: "[9+]--add-opens=..." reaches runtimes 9 and later only,
// "[-8]-XX:MaxPermSize=256m" runtimes 8 and earlier, "[11-17]..." those in between, so that one
// settings file serves old and new runtimes. Numbers are feature versions (8 for 1.8, 17 for
// 17.0.9). Windows-free.
#pragma once
#include <climits>

#include "base/Text.h"
#include "jre/JavaVersion.h"

namespace tarn {

struct OptionGate {
    int lowest = 0;
    int highest = INT_MAX;

    // A runtime of this feature version gets the option; 0, an unknown version, counts as the newest.
    bool Admits(int feature) const;
    bool operator==(const OptionGate&) const = default;
};

// Removes a well-formed gate from the front of the word and returns it; a word without one keeps
// its text and gets a gate that admits every runtime. A gate with nothing behind it is no gate: the
// word stays as written, so that the message names it.
OptionGate TakeGate(WString& word);
// Both gates at once: what reaches a runtime only when each of them admits it.
OptionGate Narrowed(const OptionGate& a, const OptionGate& b);
// 8 for 1.8.0_392, 17 for 17.0.9; 0 for a version without parts.
int FeatureVersion(const JavaVersion& version);

}  // namespace tarn
