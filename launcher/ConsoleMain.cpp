// The console launcher: the same run, its messages on standard error and no window of its own.
#include "launcher/Launcher.h"

int wmain() { return tarn::LauncherMain(tarn::UserInterface::Console); }

#ifdef TARN_NARROW_ENTRY
// For start-up code that calls only the narrow entry; the launcher reads its command line wide itself.
int main() { return tarn::LauncherMain(tarn::UserInterface::Console); }
#endif
