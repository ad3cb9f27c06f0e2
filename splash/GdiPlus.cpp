#include "splash/GdiPlus.h"

namespace tarn {
namespace {

struct StartupInput {
    UINT32 version = 1;
    void* debugEventCallback = nullptr;
    BOOL suppressBackgroundThread = FALSE;
    BOOL suppressExternalCodecs = FALSE;
};

template <typename Function>
bool Find(HMODULE library, const char* name, Function& function) {
    function = reinterpret_cast<Function>(GetProcAddress(library, name));
    return function != nullptr;
}

}  // namespace

bool GdiPlus::Resolve() {
    const HMODULE module = library_.get();
    return Find(module, "GdiplusShutdown", shutdown_) &&
           Find(module, "GdipCreateBitmapFromStream", createBitmapFromStream) &&
           Find(module, "GdipGetImageWidth", getImageWidth) && Find(module, "GdipGetImageHeight", getImageHeight) &&
           Find(module, "GdipDisposeImage", disposeImage) && Find(module, "GdipCreateFromHDC", createFromHdc) &&
           Find(module, "GdipSetInterpolationMode", setInterpolationMode) &&
           Find(module, "GdipDeleteGraphics", deleteGraphics) &&
           Find(module, "GdipCreateImageAttributes", createImageAttributes) &&
           Find(module, "GdipSetImageAttributesWrapMode", setImageAttributesWrapMode) &&
           Find(module, "GdipDisposeImageAttributes", disposeImageAttributes) &&
           Find(module, "GdipDrawImageRectRectI", drawImageRectRectI);
}

GdiPlus::GdiPlus() : library_(LoadLibraryExW(L"gdiplus.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32)) {
    using Startup = Status(WINAPI*)(ULONG_PTR*, const StartupInput*, void*);
    Startup startup = nullptr;
    if (!library_ || !Find(library_.get(), "GdiplusStartup", startup) || !Resolve()) return;
    const StartupInput input;
    ULONG_PTR token = 0;
    // A failed start leaves the token 0: the picture then counts as unreadable.
    if (startup(&token, &input, nullptr) == kOk) token_ = token;
}

GdiPlus::~GdiPlus() {
    if (token_ != 0) shutdown_(token_);
}

}  // namespace tarn
