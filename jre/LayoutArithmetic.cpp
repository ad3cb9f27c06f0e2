#include "jre/LayoutArithmetic.h"

namespace tarn {
namespace {

// Places [low, high) of length size centred on [areaLow, areaHigh), then inside [boundLow, boundHigh):
// the far edge is pulled in first, so an oversized dialog ends up at the near edge.
int32_t CentredStart(int32_t areaLow, int32_t areaHigh, int32_t size, int32_t boundLow, int32_t boundHigh) {
    int32_t start = areaLow + (areaHigh - areaLow) / 2 - size / 2;
    if (start + size > boundHigh) start = boundHigh - size;
    if (start < boundLow) start = boundLow;
    return start;
}

struct Edges {
    int32_t low;
    int32_t high;
};

Edges PlaceAxis(bool size, bool move, Edges initial, Edges current, int32_t delta) {
    if (!size && !move) return current;
    const int32_t high = initial.high + delta;
    if (move) return {high - (initial.high - initial.low), high};
    return {current.low, high};
}

}  // namespace

bool IsCentringReference(const OwnerWindow& owner) {
    return owner.present && owner.visible && !owner.minimised;
}

LayoutPoint CenteredPosition(const LayoutRect& dialog, const OwnerWindow& owner, const LayoutRect& workArea) {
    const LayoutRect area = IsCentringReference(owner) ? owner.rect : workArea;
    return {CentredStart(area.left, area.right, dialog.Width(), workArea.left, workArea.right),
            CentredStart(area.top, area.bottom, dialog.Height(), workArea.top, workArea.bottom)};
}

bool LayoutMovesControl(uint32_t flags) {
    return (flags & (kLayoutSizeX | kLayoutSizeY | kLayoutMoveX | kLayoutMoveY)) != 0;
}

LayoutRect PlaceControl(uint32_t flags, const LayoutRect& initial, const LayoutRect& current, int32_t dW, int32_t dH) {
    const Edges x = PlaceAxis((flags & kLayoutSizeX) != 0, (flags & kLayoutMoveX) != 0, {initial.left, initial.right},
                              {current.left, current.right}, dW);
    const Edges y = PlaceAxis((flags & kLayoutSizeY) != 0, (flags & kLayoutMoveY) != 0, {initial.top, initial.bottom},
                              {current.top, current.bottom}, dH);
    return {x.low, y.low, x.high, y.high};
}

}  // namespace tarn
