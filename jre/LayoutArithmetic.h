// Placement arithmetic of the launcher's dialogs: centring on an owner or a work area, and the
// position of a control in a resized dialog. Windows-free, so every rule is testable anywhere.
#pragma once
#include <cstdint>

namespace tarn {

// Edges in pixels, right and bottom exclusive, as Win32 rectangles are.
struct LayoutRect {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;

    int32_t Width() const { return right - left; }
    int32_t Height() const { return bottom - top; }
    bool operator==(const LayoutRect&) const = default;
};

struct LayoutPoint {
    int32_t x = 0;
    int32_t y = 0;
    bool operator==(const LayoutPoint&) const = default;
};

// What a dialog's owner looks like when the dialog is centred.
struct OwnerWindow {
    bool present = false;
    bool visible = false;
    bool minimised = false;
    LayoutRect rect;
};

// Only an owner the user can see is worth centring on.
bool IsCentringReference(const OwnerWindow& owner);

// Top-left corner for the dialog: centred on the owner when it is a reference, else on the work
// area; then pushed inside the work area, its left and top edges winning when it is too large.
LayoutPoint CenteredPosition(const LayoutRect& dialog, const OwnerWindow& owner, const LayoutRect& workArea);

// Layout flags of one control.
enum LayoutFlag : uint32_t {
    kLayoutSizeX = 0x0001,     // right edge follows the dialog's right edge
    kLayoutSizeY = 0x0002,     // bottom edge follows the dialog's bottom edge
    kLayoutMoveX = 0x0004,     // moves with the right edge, keeping its width
    kLayoutMoveY = 0x0008,     // moves with the bottom edge, keeping its height
    kLayoutRepaint = 0x0010,   // invalidated after it is placed
    kLayoutSizeGrip = 0x4000,  // the layout's own size grip
};

// True when the flags place the control at all (size or move on either axis).
bool LayoutMovesControl(uint32_t flags);

// The control's new rectangle when the client area has grown by dW, dH since the layout began:
// computed from its initial rectangle; an axis without flags keeps the current edges.
LayoutRect PlaceControl(uint32_t flags, const LayoutRect& initial, const LayoutRect& current, int32_t dW, int32_t dH);

}  // namespace tarn
