#include "vm/OptionPaths.h"

#include "base/Conversion.h"
#include "base/Environment.h"
#include "base/EnvironmentReferences.h"
#include "report/Reporter.h"

namespace tarn {

static bool ReportUnrepresentable(const Launcher& launcher, const WString& path) {
    ShowFormattedError(launcher.reporter, 260, {path});
    return false;
}

bool NarrowPathList(const Launcher& launcher, const WString& list, bool dropMissing, NarrowString& narrow) {
    WString fitting, failed;
    if (!RepresentablePathList(list, SystemPathQueries(launcher.shortPathReader), dropMissing, fitting, failed)) {
        return ReportUnrepresentable(launcher, failed);
    }
    narrow = ToNarrow(fitting);
    return true;
}

bool ExpandVmParameter(const Launcher& launcher, const WString& parameter, WString& expanded) {
    const PathQueries queries = SystemPathQueries(launcher.shortPathReader);
    WString failed;
    expanded = ExpandReferences(parameter, [&](const WString& name, WString& value) {
        if (!LookUpVariable(name, value)) return false;
        if (failed.empty() && !queries.fits(value)) {
            const WString shortened = RepresentablePath(value, queries);
            if (shortened.empty()) failed = value;
            value = shortened.empty() ? value : shortened;
        }
        return true;
    });
    return failed.empty() || ReportUnrepresentable(launcher, failed);
}

}  // namespace tarn
