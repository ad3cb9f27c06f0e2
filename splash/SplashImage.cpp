#include "splash/SplashImage.h"

#include <climits>

#include "base/GdiGuards.h"
#include "splash/GdiPlus.h"

namespace tarn {
namespace {

// Wrapping by mirror tiles keeps the high-quality filter from blending black into the edges.
void DrawPicture(const GdiPlus& gdiplus, GpImage* picture, HDC target, int width, int height) {
    GpGraphics* madeGraphics = nullptr;
    if (gdiplus.createFromHdc(target, &madeGraphics) != GdiPlus::kOk) return;
    const GdiPlusGraphics graphics(madeGraphics, {&gdiplus});
    gdiplus.setInterpolationMode(graphics.get(), GdiPlus::kHighQualityBicubic);
    GpImageAttributes* madeAttributes = nullptr;
    if (gdiplus.createImageAttributes(&madeAttributes) != GdiPlus::kOk) madeAttributes = nullptr;
    const GdiPlusAttributes attributes(madeAttributes, {&gdiplus});
    if (attributes) gdiplus.setImageAttributesWrapMode(attributes.get(), GdiPlus::kWrapTileFlipXY, 0xFF000000, FALSE);
    gdiplus.drawImageRectRectI(graphics.get(), picture, 0, 0, width, height, 0, 0, width, height, GdiPlus::kUnitPixel,
                               attributes.get(), nullptr, nullptr);
}

}  // namespace

SplashBitmap RenderSplashPicture(const WString& path) {
    SplashBitmap result;
    const GdiPlus gdiplus;
    GpImage* loaded = nullptr;
    if (!gdiplus.Started() || gdiplus.createBitmapFromFile(path.c_str(), &loaded) != GdiPlus::kOk) return result;
    const GdiPlusImage picture(loaded, {&gdiplus});
    UINT width = 0;
    UINT height = 0;
    if (gdiplus.getImageWidth(picture.get(), &width) != GdiPlus::kOk ||
        gdiplus.getImageHeight(picture.get(), &height) != GdiPlus::kOk || width == 0 || height == 0 ||
        width > INT_MAX || height > INT_MAX) {
        return result;
    }
    const WindowDc screen(nullptr);
    GdiObjectHolder bitmap(CreateCompatibleBitmap(screen.get(), static_cast<int>(width), static_cast<int>(height)));
    const MemoryDcHolder memory(CreateCompatibleDC(screen.get()));
    if (!bitmap || !memory) return result;
    {
        const Selection selected(memory.get(), bitmap.get());
        DrawPicture(gdiplus, picture.get(), memory.get(), static_cast<int>(width), static_cast<int>(height));
    }
    result.bitmap = std::move(bitmap);
    result.width = static_cast<int>(width);
    result.height = static_cast<int>(height);
    return result;
}

}  // namespace tarn
