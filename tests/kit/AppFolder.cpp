#include "tests/kit/AppFolder.h"

#include "tests/kit/Locations.h"
#include "tests/kit/TextFiles.h"

namespace tarn::test {

AppFolder::AppFolder(const WString& exeName, const WString& launcher) : folder_(L"app"), exeName_(exeName) {
    CopyTo(launcher.empty() ? LauncherExe() : launcher, ExePath());
}

WString AppFolder::IniPath() const {
    const WString exe = ExePath();
    const size_t dot = exe.rfind(L'.');
    return exe.substr(0, dot) + L".ini";
}

void AppFolder::WriteIni(const WString& text) { WriteUtf16File(IniPath(), text); }

RunResult AppFolder::Run(const WString& arguments, const RunOptions& options) const {
    return RunProgram(ExePath(), arguments, options);
}

}  // namespace tarn::test
