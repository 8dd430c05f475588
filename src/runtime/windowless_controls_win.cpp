// Drawing and sizing of the windowless controls.
#include "runtime/windowless_controls_win.h"

#include <algorithm>
#include <cmath>

#include "runtime/dpi.h"
#include "runtime/wide_text_win.h"
#include "runtime/windowless_host_win.h"

namespace spindle {

void WindowlessControl::SetBounds(const RECT& bounds) {
    Invalidate();
    bounds_ = bounds;
    Invalidate();
}

void WindowlessControl::Invalidate() const { host_.InvalidateArea(bounds_); }

ScopedFont CreateLabelFont(const LabelFont& font, int dpi) {
    const int height = FontHeightAt(font.pointSize, dpi);
    return ScopedFont(CreateFontW(height, 0, 0, 0, font.weight, FALSE, font.underline ? TRUE : FALSE, FALSE,
                                  font.charset, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                  DEFAULT_PITCH | FF_DONTCARE, font.face.c_str()));
}

void WindowlessLabel::SetCaption(const std::string& utf8) {
    caption_ = utf8;
    text_ = Utf8ToWide(utf8);
    Changed();
}

void WindowlessLabel::SetFont(const LabelFont& font) {
    fontWanted_ = font;
    font_ = CreateLabelFont(font, host_.Dpi());
    Changed();
}

void WindowlessLabel::FollowDpi() {
    if (font_) SetFont(fontWanted_);
}

UINT WindowlessLabel::Format() const {
    // No mnemonic prefix: a file name with "&" must show as it is. Long words (paths) wrap too.
    UINT format = DT_NOPREFIX | DT_WORDBREAK | DT_EDITCONTROL;
    return format | (alignment_ == Alignment::Centre ? DT_CENTER : DT_LEFT);
}

void WindowlessLabel::Changed() {
    if (autoSize_) {
        ScopedMemoryDC measure(nullptr);
        ScopedSelectObject font(measure.get(), font_ ? static_cast<HGDIOBJ>(font_.get()) : GetStockObject(DEFAULT_GUI_FONT));
        RECT extent{0, 0, 0, 0};
        // An empty caption still has the height of one line.
        const std::wstring measured = text_.empty() ? std::wstring(L" ") : text_;
        DrawTextW(measure.get(), measured.c_str(), static_cast<int>(measured.size()), &extent,
                  DT_CALCRECT | DT_NOPREFIX | DT_SINGLELINE);
        if (text_.empty()) extent.right = 0;
        const int frame = border_ ? 4 : 0;
        const RECT& bounds = Bounds();
        SetBounds(RECT{bounds.left, bounds.top, bounds.left + extent.right + frame, bounds.top + extent.bottom + frame});
        return;
    }
    Invalidate();
}

void WindowlessLabel::Draw(HDC dc) const {
    RECT area = Bounds();
    if (border_) {
        DrawEdge(dc, &area, BDR_SUNKENOUTER, BF_RECT | BF_ADJUST);
        InflateRect(&area, -1, -1);
    }
    const int oldMode = SetBkMode(dc, TRANSPARENT);
    const COLORREF oldColour = SetTextColor(dc, colour_);
    {
        ScopedSelectObject font(dc, font_ ? static_cast<HGDIOBJ>(font_.get()) : GetStockObject(DEFAULT_GUI_FONT));
        DrawTextW(dc, text_.c_str(), static_cast<int>(text_.size()), &area, Format());
    }
    SetTextColor(dc, oldColour);
    SetBkMode(dc, oldMode);
}

void WindowlessImage::SetPicture(HBITMAP picture) {
    picture_ = picture;
    Invalidate();
}

void WindowlessImage::Draw(HDC dc) const {
    if (!picture_) return;
    BITMAP info{};
    if (!GetObjectW(picture_, sizeof info, &info)) return;
    const RECT& bounds = Bounds();
    const int width = std::min<int>(info.bmWidth, bounds.right - bounds.left);
    const int height = std::min<int>(info.bmHeight, bounds.bottom - bounds.top);
    ScopedMemoryDC source(dc);
    ScopedSelectObject picture(source.get(), picture_);
    BitBlt(dc, bounds.left, bounds.top, width, height, source.get(), 0, 0, SRCCOPY);
}

void WindowlessShape::SetColour(COLORREF colour) {
    colour_ = colour;
    Invalidate();
}

void WindowlessShape::Draw(HDC dc) const {
    ScopedPen pen(CreatePen(PS_SOLID, 1, colour_));
    ScopedSelectObject selectedPen(dc, pen.get());
    ScopedSelectObject noFill(dc, GetStockObject(NULL_BRUSH));
    const RECT& bounds = Bounds();
    Rectangle(dc, bounds.left, bounds.top, bounds.right, bounds.bottom);
}

}  // namespace spindle
