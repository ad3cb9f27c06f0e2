// Placement of the launcher's dialogs when they open, and the layout of a resizable dialog:
// controls that follow the dialog's edges, a size grip and the opening size as the minimum.
#pragma once
#include <windows.h>

#include <cstdint>
#include <span>
#include <vector>

#include "jre/LayoutArithmetic.h"

namespace tarn {

// Centres the dialog on its owner when the owner is visible and not minimised, otherwise on the
// work area of the nearest monitor, and keeps it inside that work area.
void CenterDialog(HWND dialog);

// One row of a dialog's layout table: a control and its LayoutFlag bits.
struct LayoutRule {
    int controlId;
    uint32_t flags;
};

// The layout of one resizable dialog, owned by its dialog object. The dialog procedure calls
// InitLayout at WM_INITDIALOG (after CenterDialog) and passes every message to HandleSizeMessage.
class DialogLayout {
public:
    // The child id of the size grip.
    static constexpr int kSizeGripId = 0xE801;

    // Records the controls as they are now; every later placement is computed from this state.
    void InitLayout(HWND dialog, std::span<const LayoutRule> table);
    // Places every control for a client area of this size.
    void UpdateLayout(int width, int height);
    // Handles WM_GETMINMAXINFO and WM_SIZE; true when the message was one of them.
    bool HandleSizeMessage(UINT message, WPARAM wParam, LPARAM lParam);

private:
    struct Entry {
        int controlId;
        uint32_t flags;
        LayoutRect initial;  // client coordinates at InitLayout
    };

    void AddEntry(int controlId, uint32_t flags);

    HWND dialog_ = nullptr;
    std::vector<Entry> entries_;
    int32_t initialWidth_ = 0;
    int32_t initialHeight_ = 0;
    POINT minTrackSize_{-1, -1};
    HWND sizeGrip_ = nullptr;  // a child of the dialog: it ends with the dialog
};

}  // namespace tarn
