// The zoom effects' platform calls.
#include "settings_dialog/zoom_win.h"

namespace spindle {
namespace {

RECT ToRect(const ScreenRect& rect) { return RECT{rect.left, rect.top, rect.right, rect.bottom}; }

}  // namespace

ScreenRect Win32ZoomPort::WindowRect() {
    RECT frame{};
    GetWindowRect(window_, &frame);  // left at zeros on failure: the outline then uses the corner
    return ScreenRect{frame.left, frame.top, frame.right, frame.bottom};
}

void Win32ZoomPort::DrawAnimatedRects(int kind, const ScreenRect& from, const ScreenRect& to) {
    const RECT fromRect = ToRect(from);
    const RECT toRect = ToRect(to);
    ::DrawAnimatedRects(window_, kind, &fromRect, &toRect);
}

std::optional<ScreenPoint> CursorPosition() {
    POINT point{};
    if (!GetCursorPos(&point)) return std::nullopt;
    return ScreenPoint{point.x, point.y};
}

void ZoomWindowOpen(HWND window) {
    Win32ZoomPort port(window);
    ZoomWindowOpen(static_cast<ZoomPort&>(port));
}

void ZoomWindowClose(HWND window) {
    Win32ZoomPort port(window);
    ZoomWindowClose(static_cast<ZoomPort&>(port));
}

}  // namespace spindle
