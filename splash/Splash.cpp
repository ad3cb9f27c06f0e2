#include "splash/Splash.h"

#include "launcher/IniFileStore.h"
#include "launcher/Settings.h"
#include "splash/SplashLibrary.h"
#include "splash/SplashWindow.h"

namespace tarn {
namespace {

DWORD WINAPI SplashThread(void* parameter) {
    auto& launcher = *static_cast<Launcher*>(parameter);
    SplashWindow& splash = *launcher.splashWindow;
    if (splash.Create(launcher.splashImage, launcher.splashShadow == L"true")) {
        launcher.reporter.owner = splash.Handle();
        ShowWindow(splash.Handle(), SW_SHOWNORMAL);
        UpdateWindow(splash.Handle());
    }
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    // Boxes shown from now on must not name a window that is about to go.
    launcher.reporter.owner = nullptr;
    splash.Destroy();
    return 0;
}

}  // namespace

bool StartSplash(Launcher& launcher) {
    WString settingsPath;
    if (!GetSettingsFilePath(launcher.reporter, settingsPath)) return false;
    IniFileStore settings(settingsPath);
    launcher.splashImage = settings.Read(kDisplaySection, L"Splash Screen");
    launcher.splashShadow = settings.Read(kDisplaySection, L"Splash Screen Shadow");
    const bool preferNative = EqualsNoCase(settings.Read(kDisplaySection, L"Preffer Native Splash Screen"), L"Yes");
    if (launcher.splashImage.empty()) return true;
    if (preferNative) {
        const WString library = FindSplashLibrary(launcher.jvmPath);
        if (!library.empty() && StartSplashLibrary(launcher, library, launcher.splashImage)) return true;
    }
    // The thread decodes the picture while this thread goes on loading the VM.
    launcher.splashWindow = std::make_unique<SplashWindow>();
    DWORD threadId = 0;
    launcher.splashThread.reset(CreateThread(nullptr, 0, &SplashThread, &launcher, 0, &threadId));
    launcher.splashThreadId = launcher.splashThread ? threadId : 0;
    return true;
}

void CloseSplash(Launcher& launcher) {
    if (!launcher.splashWindow) return;
    if (launcher.splashThread) {
        // Posting fails until the thread has a message queue, so the request is repeated until the
        // thread has ended; the short wait keeps this from spinning while the picture decodes.
        do {
            PostThreadMessageW(launcher.splashThreadId, WM_QUIT, 0, 0);
        } while (WaitForSingleObject(launcher.splashThread.get(), 10) == WAIT_TIMEOUT);
    }
    launcher.splashThread.reset();
    launcher.splashThreadId = 0;
    launcher.splashWindow.reset();
}

}  // namespace tarn
