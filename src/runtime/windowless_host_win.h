// A container's kept drawing (a persistent image of its client area that drawing goes into)
// with its windowless controls painted on top; and the picture box, a child window that is
// nothing but such a container.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <utility>
#include <vector>

#include "runtime/base_window_win.h"
#include "runtime/scoped_gdi_win.h"
#include "runtime/windowless_controls_win.h"

namespace spindle {

class WindowlessHost {
public:
    WindowlessHost() = default;
    WindowlessHost(const WindowlessHost&) = delete;
    WindowlessHost& operator=(const WindowlessHost&) = delete;

    // The window whose client area shows the drawing.
    void Attach(HWND window) { window_ = window; }
    HWND Window() const { return window_; }

    // The DPI its controls are drawn at: the one given, else its window's.
    void SetDpi(int dpi) { dpi_ = dpi; }
    int Dpi() const;

    // The interior in pixels.
    int ScaleWidth() const;
    int ScaleHeight() const;

    // Clears the kept drawing to the back colour, at the interior's current size.
    void SetBackColour(COLORREF colour) { backColour_ = colour; }
    void Cls();
    // A straight line into the kept drawing; the screen follows at the next Refresh.
    void Line(int x1, int y1, int x2, int y2, COLORREF colour);
    void Refresh() const;
    void InvalidateArea(const RECT& area) const;

    // Adds a control; later controls lie over earlier ones.
    template <typename Control>
    Control& Add(const RECT& bounds) {
        auto control = std::make_unique<Control>(*this, bounds);
        Control& added = *control;
        controls_.push_back(std::move(control));
        InvalidateArea(bounds);
        return added;
    }

    // The screen-wide pointer, shown over the whole container (and over child windows that
    // leave their pointer to their parent); null gives every control its own again.
    void SetPointerOverride(HCURSOR pointer) { pointerOverride_ = pointer; }

    // A dotted frame shown while the container's window has the keyboard focus, for a group of
    // its windowless controls that the keyboard works; an empty rectangle shows none.
    void SetFocusCue(const RECT& area);

    // The topmost control that takes the mouse at the point, or null.
    WindowlessControl* ControlAt(POINT point) const;

    // The kept drawing and the controls over it.
    void PaintTo(HDC dc, const RECT& area) const;

    // Paint, pointer, focus and mouse messages of the container; true when handled. Detaches at
    // WM_NCDESTROY.
    bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

private:
    void EnsureDrawing();
    void OnButtonDown(UINT message, POINT point);
    void OnButtonUp(UINT message, WPARAM wParam, POINT point);

    HWND window_ = nullptr;
    int dpi_ = 0;
    COLORREF backColour_ = RGB(128, 128, 128);
    ScopedBitmap drawing_;
    int drawingWidth_ = 0;
    int drawingHeight_ = 0;
    std::vector<std::unique_ptr<WindowlessControl>> controls_;
    WindowlessControl* pressed_ = nullptr;
    HCURSOR pointerOverride_ = nullptr;
    RECT focusCue_{};
};

// A picture box: a child window showing a kept drawing with windowless controls, and parent
// of real child controls, whose notifications it hands to `onChildNotify`.
class PictureBox : public BaseWindow<PictureBox> {
public:
    static const wchar_t* ClassName() { return L"SpindlewavePictureBox"; }

    // Position in the parent's pixels; a sunken frame when `framed`.
    bool Create(HWND parent, const RECT& bounds, int controlId, bool framed);
    WindowlessHost& Host() { return host_; }

    // WM_COMMAND, WM_HSCROLL, WM_VSCROLL and WM_NOTIFY from child windows; true when handled.
    std::function<bool(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)> onChildNotify;

    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

private:
    WindowlessHost host_;
};

}  // namespace spindle
