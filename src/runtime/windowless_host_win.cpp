// The kept drawing, the painting of windowless controls over it, their pointer and clicks.
// Every press in the container captures the mouse for it, whatever lies under the pointer, so
// a release is seen by what was pressed and never by a window the pointer was dragged onto.
#include "runtime/windowless_host_win.h"

#include <windowsx.h>

#include <algorithm>
#include <utility>

#include "runtime/dpi_win.h"

namespace spindle {

int WindowlessHost::Dpi() const { return dpi_ ? dpi_ : DpiOfWindow(window_); }

int WindowlessHost::ScaleWidth() const {
    RECT client{};
    if (window_) GetClientRect(window_, &client);
    return client.right;
}

int WindowlessHost::ScaleHeight() const {
    RECT client{};
    if (window_) GetClientRect(window_, &client);
    return client.bottom;
}

void WindowlessHost::Cls() {
    drawingWidth_ = std::max(1, ScaleWidth());
    drawingHeight_ = std::max(1, ScaleHeight());
    ScopedWindowDC screen(nullptr);
    drawing_.reset(CreateCompatibleBitmap(screen.get(), drawingWidth_, drawingHeight_));
    if (!drawing_) return;
    ScopedMemoryDC dc(screen.get());
    ScopedSelectObject bitmap(dc.get(), drawing_.get());
    ScopedBrush back(CreateSolidBrush(backColour_));
    RECT all{0, 0, drawingWidth_, drawingHeight_};
    FillRect(dc.get(), &all, back.get());
}

void WindowlessHost::EnsureDrawing() {
    if (!drawing_) Cls();
}

void WindowlessHost::Line(int x1, int y1, int x2, int y2, COLORREF colour) {
    EnsureDrawing();
    if (!drawing_) return;
    ScopedMemoryDC dc(nullptr);
    ScopedSelectObject bitmap(dc.get(), drawing_.get());
    ScopedPen pen(CreatePen(PS_SOLID, 1, colour));
    ScopedSelectObject selectedPen(dc.get(), pen.get());
    MoveToEx(dc.get(), x1, y1, nullptr);
    LineTo(dc.get(), x2, y2);
}

void WindowlessHost::Refresh() const {
    if (window_) InvalidateRect(window_, nullptr, FALSE);
}

void WindowlessHost::InvalidateArea(const RECT& area) const {
    if (window_) InvalidateRect(window_, &area, FALSE);
}

WindowlessControl* WindowlessHost::ControlAt(POINT point) const {
    for (auto control = controls_.rbegin(); control != controls_.rend(); ++control) {
        if ((*control)->TakesMouse() && PtInRect(&(*control)->Bounds(), point)) return control->get();
    }
    return nullptr;
}

void WindowlessHost::PaintTo(HDC dc, const RECT& area) const {
    const int width = std::max(1, ScaleWidth());
    const int height = std::max(1, ScaleHeight());
    // Composed off screen first, so the controls never flicker over the drawing.
    ScopedBitmap frame(CreateCompatibleBitmap(dc, width, height));
    ScopedMemoryDC compose(dc);
    if (!frame || !compose.get()) return;
    ScopedSelectObject frameSelected(compose.get(), frame.get());
    ScopedBrush back(CreateSolidBrush(backColour_));
    RECT all{0, 0, width, height};
    FillRect(compose.get(), &all, back.get());
    if (drawing_) {
        ScopedMemoryDC source(dc);
        ScopedSelectObject drawing(source.get(), drawing_.get());
        BitBlt(compose.get(), 0, 0, drawingWidth_, drawingHeight_, source.get(), 0, 0, SRCCOPY);
    }
    for (const auto& control : controls_) {
        RECT overlap{};
        if (IntersectRect(&overlap, &control->Bounds(), &area)) {
            control->Draw(compose.get());
        }
    }
    if (!IsRectEmpty(&focusCue_) && GetFocus() == window_) DrawFocusRect(compose.get(), &focusCue_);
    BitBlt(dc, area.left, area.top, area.right - area.left, area.bottom - area.top, compose.get(), area.left, area.top,
           SRCCOPY);
}

void WindowlessHost::SetFocusCue(const RECT& area) {
    InvalidateArea(focusCue_);
    focusCue_ = area;
    InvalidateArea(focusCue_);
}

void WindowlessHost::OnButtonDown(UINT message, POINT point) {
    SetCapture(window_);
    if (message == WM_LBUTTONDOWN) {
        pressed_ = ControlAt(point);
    } else if (message == WM_LBUTTONDBLCLK) {
        // The second press of a double-click is a DblClick, which no control here handles: no
        // Click at its release.
        pressed_ = nullptr;
    }
}

void WindowlessHost::OnButtonUp(UINT message, WPARAM wParam, POINT point) {
    WindowlessControl* pressed = message == WM_LBUTTONUP ? std::exchange(pressed_, nullptr) : nullptr;
    const bool anyButtonDown = (wParam & (MK_LBUTTON | MK_RBUTTON | MK_MBUTTON)) != 0;
    if (!anyButtonDown && GetCapture() == window_) ReleaseCapture();
    if (pressed && pressed->onClick && ControlAt(point) == pressed) {
        // The handler may close the container: nothing of it is touched afterwards.
        std::function<void()> click = pressed->onClick;
        click();
    }
}

bool WindowlessHost::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (message) {
        case WM_ERASEBKGND:
            result = 1;
            return true;
        case WM_PAINT: {
            ScopedPaint paint(window_);
            PaintTo(paint.get(), paint.area());
            result = 0;
            return true;
        }
        case WM_PRINTCLIENT: {
            RECT client{0, 0, ScaleWidth(), ScaleHeight()};
            PaintTo(reinterpret_cast<HDC>(wParam), client);
            result = 0;
            return true;
        }
        case WM_SETCURSOR: {
            if (pointerOverride_) {
                SetCursor(pointerOverride_);
                result = TRUE;
                return true;
            }
            if (reinterpret_cast<HWND>(wParam) != window_ || LOWORD(lParam) != HTCLIENT) return false;
            POINT point{};
            GetCursorPos(&point);
            ScreenToClient(window_, &point);
            const WindowlessControl* control = ControlAt(point);
            if (!control || !control->cursor) return false;
            SetCursor(control->cursor);
            result = TRUE;
            return true;
        }
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
        case WM_RBUTTONDOWN:
        case WM_RBUTTONDBLCLK:
        case WM_MBUTTONDOWN:
        case WM_MBUTTONDBLCLK:
            OnButtonDown(message, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
            // The right and middle buttons keep their default handling (the context menu request).
            result = 0;
            return message == WM_LBUTTONDOWN || message == WM_LBUTTONDBLCLK;
        case WM_LBUTTONUP:
        case WM_RBUTTONUP:
        case WM_MBUTTONUP:
            OnButtonUp(message, wParam, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
            result = 0;
            return message == WM_LBUTTONUP;
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
            InvalidateArea(focusCue_);
            return false;
        case WM_CAPTURECHANGED:
            if (reinterpret_cast<HWND>(lParam) != window_) pressed_ = nullptr;
            return false;
        case WM_NCDESTROY:
            // The window goes; its default handling still runs.
            Attach(nullptr);
            return false;
        default:
            return false;
    }
}

bool PictureBox::Create(HWND parent, const RECT& bounds, int controlId, bool framed) {
    if (!CreateWindowOf(L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, framed ? WS_EX_CLIENTEDGE : 0,
                        bounds.left, bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top, parent)) {
        return false;
    }
    SetWindowLongPtrW(Window(), GWLP_ID, controlId);
    host_.Attach(Window());
    return true;
}

LRESULT PictureBox::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (host_.HandleMessage(message, wParam, lParam, result)) return result;
    const bool fromChild = message == WM_COMMAND || message == WM_HSCROLL || message == WM_VSCROLL || message == WM_NOTIFY;
    if (fromChild && onChildNotify && onChildNotify(message, wParam, lParam, result)) return result;
    return DefaultHandling(message, wParam, lParam);
}

}  // namespace spindle
