// The splash picture, decoded once and drawn 1:1 into a bitmap that painting only copies.
#pragma once
#include "base/Handles.h"
#include "base/Text.h"

namespace tarn {

struct SplashBitmap {
    GdiObjectHolder bitmap;  // compatible with the screen; none for an unreadable picture
    int width = 0;
    int height = 0;
};

// A missing, unreadable or undrawable picture gives 0 x 0 and no bitmap.
SplashBitmap RenderSplashPicture(const WString& path);

}  // namespace tarn
