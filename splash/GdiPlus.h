// GDI+ through its flat interface, loaded at first use from the system folder only, so that a
// gdiplus.dll planted beside the executable is never picked up.
#pragma once
#include <windows.h>

#include <memory>

#include "base/Handles.h"

struct IStream;

namespace tarn {

// The flat interface's opaque objects.
struct GpImage;
struct GpGraphics;
struct GpImageAttributes;

class GdiPlus {
public:
    using Status = int;
    static constexpr Status kOk = 0;
    static constexpr int kHighQualityBicubic = 7;
    static constexpr int kWrapTileFlipXY = 3;
    static constexpr int kUnitPixel = 2;

    // Loads the library and starts GDI+ version 1; Started() tells whether both worked.
    GdiPlus();
    ~GdiPlus();
    GdiPlus(const GdiPlus&) = delete;
    GdiPlus& operator=(const GdiPlus&) = delete;
    bool Started() const { return token_ != 0; }

    Status(WINAPI* createBitmapFromStream)(IStream*, GpImage**) = nullptr;
    Status(WINAPI* getImageWidth)(GpImage*, UINT*) = nullptr;
    Status(WINAPI* getImageHeight)(GpImage*, UINT*) = nullptr;
    Status(WINAPI* disposeImage)(GpImage*) = nullptr;
    Status(WINAPI* createFromHdc)(HDC, GpGraphics**) = nullptr;
    Status(WINAPI* setInterpolationMode)(GpGraphics*, int) = nullptr;
    Status(WINAPI* deleteGraphics)(GpGraphics*) = nullptr;
    Status(WINAPI* createImageAttributes)(GpImageAttributes**) = nullptr;
    Status(WINAPI* setImageAttributesWrapMode)(GpImageAttributes*, int, DWORD, BOOL) = nullptr;
    Status(WINAPI* disposeImageAttributes)(GpImageAttributes*) = nullptr;
    Status(WINAPI* drawImageRectRectI)(GpGraphics*, GpImage*, INT, INT, INT, INT, INT, INT, INT, INT, int,
                                       const GpImageAttributes*, void*, void*) = nullptr;

private:
    bool Resolve();

    ModuleHolder library_;
    ULONG_PTR token_ = 0;
    void(WINAPI* shutdown_)(ULONG_PTR) = nullptr;
};

// Owners for the flat interface's objects: each releases through the session that made it.
struct GdiPlusImageDeleter {
    const GdiPlus* gdiplus;
    void operator()(GpImage* image) const { gdiplus->disposeImage(image); }
};
struct GdiPlusGraphicsDeleter {
    const GdiPlus* gdiplus;
    void operator()(GpGraphics* graphics) const { gdiplus->deleteGraphics(graphics); }
};
struct GdiPlusAttributesDeleter {
    const GdiPlus* gdiplus;
    void operator()(GpImageAttributes* attributes) const { gdiplus->disposeImageAttributes(attributes); }
};
using GdiPlusImage = std::unique_ptr<GpImage, GdiPlusImageDeleter>;
using GdiPlusGraphics = std::unique_ptr<GpGraphics, GdiPlusGraphicsDeleter>;
using GdiPlusAttributes = std::unique_ptr<GpImageAttributes, GdiPlusAttributesDeleter>;

}  // namespace tarn
