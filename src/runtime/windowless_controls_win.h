// Labels, images and rectangle shapes without a window of their own: their container draws
// them over its kept drawing, shows their mouse pointer and tells them of clicks and double-clicks.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "runtime/scoped_gdi_win.h"

namespace spindle {

class WindowlessHost;

class WindowlessControl {
public:
    WindowlessControl(WindowlessHost& host, const RECT& bounds) : host_(host), bounds_(bounds) {}
    virtual ~WindowlessControl() = default;
    WindowlessControl(const WindowlessControl&) = delete;
    WindowlessControl& operator=(const WindowlessControl&) = delete;

    // Position and size in the container's pixels.
    const RECT& Bounds() const { return bounds_; }
    void SetBounds(const RECT& bounds);

    virtual void Draw(HDC dc) const = 0;
    // Whether the control takes the mouse at all (shapes let it through to what lies below).
    virtual bool TakesMouse() const { return true; }

    // Raised when the left button goes down and up again over the control.
    std::function<void()> onClick;
    // The pointer over the control; null for the container's own.
    HCURSOR cursor = nullptr;

protected:
    void Invalidate() const;

    WindowlessHost& host_;

private:
    RECT bounds_;
};

// A font as a caption asks for it; the point size follows the DPI of the container's window.
struct LabelFont {
    std::wstring face;
    double pointSize = 9.0;
    int weight = FW_NORMAL;
    bool underline = false;
    BYTE charset = DEFAULT_CHARSET;
};

// Makes the GDI font for a caption font at a DPI.
ScopedFont CreateLabelFont(const LabelFont& font, int dpi);

class WindowlessLabel : public WindowlessControl {
public:
    enum class Alignment { Left, Centre };

    using WindowlessControl::WindowlessControl;

    void SetCaption(const std::string& utf8);
    const std::string& Caption() const { return caption_; }
    void SetFont(const LabelFont& font);
    // Makes the font again at the container's DPI, which has changed (an autosized label is
    // measured again).
    void FollowDpi();
    void SetColour(COLORREF colour) { Set(colour_, colour); }
    void SetAlignment(Alignment alignment) { Set(alignment_, alignment); }
    // A thin sunken frame around the text.
    void SetBorder(bool border) { Set(border_, border); }
    // Sized to its text: the size follows every caption and font change.
    void SetAutoSize(bool autoSize) { Set(autoSize_, autoSize); }

    void Draw(HDC dc) const override;

private:
    template <typename Value>
    void Set(Value& member, Value value) {
        member = value;
        Changed();
    }
    void Changed();
    UINT Format() const;

    std::string caption_;
    std::wstring text_;
    LabelFont fontWanted_;
    ScopedFont font_;
    COLORREF colour_ = RGB(0, 0, 0);
    Alignment alignment_ = Alignment::Left;
    bool border_ = false;
    bool autoSize_ = false;
};

// A picture drawn at its own size from the control's top-left corner, cut to the control.
class WindowlessImage : public WindowlessControl {
public:
    using WindowlessControl::WindowlessControl;

    // The picture is not owned; it must outlive the control or be replaced first.
    void SetPicture(HBITMAP picture);
    HBITMAP Picture() const { return picture_; }

    void Draw(HDC dc) const override;

private:
    HBITMAP picture_ = nullptr;
};

// A one-pixel rectangle outline without fill.
class WindowlessShape : public WindowlessControl {
public:
    using WindowlessControl::WindowlessControl;

    void SetColour(COLORREF colour);
    void Draw(HDC dc) const override;
    bool TakesMouse() const override { return false; }

private:
    COLORREF colour_ = RGB(0, 0, 0);
};

}  // namespace spindle
