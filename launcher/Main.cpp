// The desktop launcher: messages and questions in windows.
#include <windows.h>

#include "launcher/Launcher.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) { return tarn::LauncherMain(tarn::UserInterface::Windows); }
