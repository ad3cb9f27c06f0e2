// A static text control turned into a link: link colours, underlined font, hand cursor, tooltip,
// keyboard focus, and the shell opening its target when clicked or activated from the keyboard.
#pragma once
#include <windows.h>

#include <optional>

#include "base/Handles.h"
#include "base/Text.h"

namespace tarn {

class HyperLink {
public:
    HyperLink() = default;
    ~HyperLink();
    HyperLink(const HyperLink&) = delete;
    HyperLink& operator=(const HyperLink&) = delete;

    // The font the link font derives from; not owned. Give it before Attach.
    void SetNormalFont(HFONT font) { normalFont_ = font; }
    bool HasNormalFont() const { return normalFont_ != nullptr; }
    // Subclasses the static and initialises the link from its text.
    void Attach(HWND window);
    bool SetTarget(const WString& target);
    // Opens the target with the shell; true (and shown as visited from then on) when it opened.
    bool Navigate();

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT HandleMouse(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT CallPrevious(UINT message, WPARAM wParam, LPARAM lParam);
    void Initialise();
    void CreateToolTip();
    void CreateLinkFont();
    void CalcLinkRect();
    void ReadColors();
    void Paint(HDC given);
    void Detach();
    bool InLink(POINT point) const;
    const WString* Text() const;

    HWND window_ = nullptr;
    WNDPROC previous_ = nullptr;
    std::optional<WString> label_;
    std::optional<WString> target_;
    HCURSOR cursor_ = nullptr;
    HFONT linkFont_ = nullptr;
    HFONT normalFont_ = nullptr;
    GdiObjectHolder ownedLinkFont_;
    GdiObjectHolder ownedNormalFont_;
    RECT linkRect_{};
    WindowHolder toolTip_;
    COLORREF linkColor_ = RGB(0, 0, 255);
    COLORREF visitedColor_ = RGB(128, 0, 128);
    bool visited_ = false;
};

}  // namespace tarn
