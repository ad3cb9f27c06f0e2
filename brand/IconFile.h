// An .ico file taken apart into the resources an executable holds: one RT_ICON per image and the
// RT_GROUP_ICON directory that names them by resource id.
#pragma once
#include <optional>

#include "brand/ResourceBytes.h"

namespace tarn::brand {

struct IconImages {
    std::vector<Bytes> images;  // each a bitmap (BITMAPINFOHEADER first) or a PNG
    Bytes group;                // the group directory; image i has resource id firstId + i
};

// Nothing when the bytes are not an icon file with at least one image lying inside it.
std::optional<IconImages> ReadIconFile(const Bytes& file, uint16_t firstId);

}  // namespace tarn::brand
