#include "splash/SplashImage.h"

#include <objidl.h>

#include <climits>
#include <memory>
#include <vector>

#include "base/Files.h"
#include "base/GdiGuards.h"
#include "base/PathText.h"
#include "base/SystemFunction.h"
#include "splash/GdiPlus.h"

namespace tarn {
namespace {

// Larger than any picture a screen can show; more is not read.
constexpr LONGLONG kPictureLimit = 128 << 20;

struct ReleaseStream {
    void operator()(IStream* stream) const { stream->Release(); }
};
using StreamHolder = std::unique_ptr<IStream, ReleaseStream>;

// The file's bytes as a stream in memory. The launcher opens the file itself, by its long-path
// form, so that a name of any length is read whatever GDI+ would make of it.
StreamHolder PictureStream(const WString& path) {
    HandleHolder file(CreateFileW(LongPathPattern(FullPathName(path)).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                  OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    LARGE_INTEGER size{};
    if (!file || !GetFileSizeEx(file.get(), &size) || size.QuadPart > kPictureLimit) return nullptr;
    std::vector<BYTE> bytes(static_cast<size_t>(size.QuadPart));
    DWORD read = 0;
    if (!ReadFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) || read != bytes.size())
        return nullptr;
    using CreateMemoryStream = IStream*(WINAPI*)(const BYTE*, UINT);
    const auto create = SystemFunction<CreateMemoryStream>(L"shlwapi.dll", "SHCreateMemStream");
    return StreamHolder(create == nullptr ? nullptr : create(bytes.data(), static_cast<UINT>(bytes.size())));
}

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
    // The stream outlives the picture decoded from it, as GDI+ requires.
    const StreamHolder stream = PictureStream(path);
    const GdiPlus gdiplus;
    GpImage* loaded = nullptr;
    if (!stream || !gdiplus.Started() || gdiplus.createBitmapFromStream(stream.get(), &loaded) != GdiPlus::kOk)
        return result;
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
