// The console launcher: the same run, its messages on standard error and no window of its own.
#include "launcher/Launcher.h"

int wmain() { return tarn::LauncherMain(tarn::UserInterface::Console); }
