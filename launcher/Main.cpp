// The desktop launcher: messages and questions in windows.
#include <windows.h>

#include "launcher/Launcher.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) { return tarn::LauncherMain(tarn::UserInterface::Windows); }

#ifdef TARN_NARROW_ENTRY
// For start-up code that calls only the narrow entry; the launcher reads its command line wide itself.
int WINAPI WinMain(HINSTANCE, HINSTANCE, PSTR, int) { return tarn::LauncherMain(tarn::UserInterface::Windows); }
#endif
