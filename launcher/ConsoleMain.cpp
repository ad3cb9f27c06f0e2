// The console launcher: the same run, its messages on standard error and no window of its own.
#include "launcher/Launcher.h"
#include "vm/ErrorMessages.h"

int wmain() {
    tarn::SetUserInterface(tarn::UserInterface::Console);
    return tarn::LauncherMain();
}
