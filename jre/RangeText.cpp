#include "base/Format.h"
#include "base/StringTable.h"
#include "jre/JavaVersion.h"

namespace tarn {

WString DescribeVersionRange(const JavaVersion& minimum, const JavaVersion& maximum) {
    const RangeDescription chosen = ChooseRangeText(minimum, maximum);
    const WString format = LoadText(chosen.textId);
    switch (chosen.arguments.size()) {
        case 0: return Format(format, {});
        case 1: return Format(format, {chosen.arguments[0]});
        default: return Format(format, {chosen.arguments[0], chosen.arguments[1]});
    }
}

}  // namespace tarn
