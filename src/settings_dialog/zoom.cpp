// The zoom effects: only drawing, the window itself is not shown, hidden or moved.
#include "settings_dialog/zoom.h"

namespace spindle {

std::int16_t ZoomPointX = 0;
std::int16_t ZoomPointY = 0;

namespace {

std::int16_t Low16Bits(std::int32_t value) {
    return static_cast<std::int16_t>(static_cast<std::uint16_t>(static_cast<std::uint32_t>(value) & 0xFFFFu));
}

}  // namespace

void SetZoomPoint(std::optional<ScreenPoint> cursor) {
    ZoomPointX = cursor ? Low16Bits(cursor->x) : 0;
    ZoomPointY = cursor ? Low16Bits(cursor->y) : 0;
}

ScreenRect ZoomPointRect() { return ScreenRect{ZoomPointX, ZoomPointY, ZoomPointX, ZoomPointY}; }

void ZoomWindowOpen(ZoomPort& window) {
    const ScreenRect point = ZoomPointRect();
    const ScreenRect frame = window.WindowRect();
    window.DrawAnimatedRects(kAnimateCaption, point, frame);
}

void ZoomWindowClose(ZoomPort& window) {
    const ScreenRect point = ZoomPointRect();
    const ScreenRect frame = window.WindowRect();
    window.DrawAnimatedRects(kAnimateCaption, frame, point);
}

}  // namespace spindle
